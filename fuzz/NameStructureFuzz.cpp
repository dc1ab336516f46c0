// Arbitrary names and structures through the name-structure evaluator: it must not crash, hang or grow
// quadratically, and what it returns must be valid UTF-16 (no surrogate pair ever split).
#include "FuzzText.h"

#include "core/platform/PosixFileSystem.h"
#include "core/preview/FolderEntry.h"
#include "core/rename/NameStructure.h"

#include <QLocale>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const PosixFileSystem fs;
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const std::vector<QString> parts = FuzzText::split(data, size, 3);
    FolderEntry entry;
    entry.parentPath = QStringLiteral("/nonexistent-dirwright-fuzz/") + parts[2] + u'/';
    entry.oldName = parts[0];
    entry.newName = parts[0];
    const QString result = EvaluateStructure(entry, parts[1], fs, locale);
    if (!result.isValidUtf16())
        abort();
    return 0;
}
