// Feeds arbitrary bytes to the rename protocol's reader: every line is parsed, and every line that could
// lead to a rename is written again from its fields and must read back as the same rename, on one line.
#include "FuzzCheck.h"
#include "core/commit/RenameProtocol.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& text : RenameProtocol::splitLines(bytes)) {
        check(!text.isEmpty() && !text.contains('\n'));
        const RenameProtocol::Line line = RenameProtocol::parseLine(text);
        if (!line.usable)
            continue;
        const QByteArray again = RenameProtocol::encodeLine(line.stamp, line.parentPath, line.oldName, line.newName);
        check(!again.contains('\n') && !again.contains('\r'));
        const RenameProtocol::Line back = RenameProtocol::parseLine(again);
        check(back.usable && back.stamp == line.stamp && back.parentPath == line.parentPath &&
              back.oldName == line.oldName && back.newName == line.newName);
    }
    return 0;
}
