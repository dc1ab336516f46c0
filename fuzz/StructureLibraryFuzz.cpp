// Library files of any content: reading never crashes, and what was read is written so that reading it
// again gives the same library. The format has no escape for a quote right before the separator, and a
// line end cannot stand in a field; entries holding either are left out of the round trip.
#include "FuzzCheck.h"
#include "FuzzText.h"
#include "core/rename/StructureLibrary.h"

#include <cstdint>

namespace {

bool writable(const QString& field)
{
    return !field.contains(QLatin1String("\";")) && !field.contains(QLatin1Char('\r')) &&
           !field.contains(QLatin1Char('\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const StructureLibrary read = StructureLibrary::parse(FuzzText::decode(data, size));
    StructureLibrary kept;
    for (const NamedStructure& entry : read.entries) {
        check(!entry.name.trimmed().isEmpty());
        if (writable(entry.name) && writable(entry.structure))
            kept.entries.append(entry);
    }
    check(StructureLibrary::parse(kept.text()).entries == kept.entries);
    return 0;
}
