// List files and file names from bytes: every kind of list file is read to its end in bounded memory,
// and every byte string survives the file-name conversion unchanged.
#include "core/load/ListFileReader.h"
#include "core/platform/FileNames.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (ListFileReader::Kind kind :
         {ListFileReader::Kind::Plain, ListFileReader::Kind::M3u, ListFileReader::Kind::Pls}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        ListFileReader reader(buffer, kind);
        qsizetype total = 0;
        while (const std::optional<QByteArray> entry = reader.next()) {
            if (entry->isEmpty() || entry->contains('\n') || entry->size() > ListFileReader::kMaxLineBytes + 1)
                std::abort();
            total += entry->size();
        }
        if (total > bytes.size())
            std::abort();
    }
    if (FileNames::encode(FileNames::decode(bytes)) != bytes)
        std::abort();
    return 0;
}
