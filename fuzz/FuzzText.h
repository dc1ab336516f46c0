#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

// Turns fuzzer bytes into valid UTF-16 texts. A few control bytes stand for characters that stress text
// code (an emoji, a combining mark, right-to-left letters, letters outside the basic plane that have case,
// letters whose case mapping is unusual), so the fuzzer reaches them without having to find UTF-8 for
// them; bytes 0x80-0xFF are Latin-1 letters. Byte 0 separates the parts.
namespace FuzzText {

inline QString decode(const uint8_t* data, size_t size)
{
    static const char32_t specials[] = {
        0,      0x1F600, 0x0301, 0x05D0, 0x10400, 0x10428, 0x0130, 0x017F,
        0x01C5, 0x00DF,  0x1E9E, 0x212A, 0x0627,  0x03A3,  0x03C2, 0x2019,
    };
    QString out;
    out.reserve(qsizetype(size));
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        const char32_t c = b < 16 ? specials[b] : char32_t(b);
        if (QChar::requiresSurrogates(c)) {
            out.append(QChar(QChar::highSurrogate(c)));
            out.append(QChar(QChar::lowSurrogate(c)));
        } else {
            out.append(QChar(char16_t(c)));
        }
    }
    return out;
}

// Splits the input at zero bytes into at most `parts` texts (missing parts are empty).
inline std::vector<QString> split(const uint8_t* data, size_t size, size_t parts)
{
    std::vector<QString> texts;
    size_t start = 0;
    for (size_t i = 0; i <= size && texts.size() + 1 < parts; ++i) {
        if (i == size || data[i] == 0) {
            texts.push_back(decode(data + start, i - start));
            start = i + 1;
        }
    }
    texts.push_back(start <= size ? decode(data + start, size - start) : QString());
    texts.resize(parts);
    return texts;
}

} // namespace FuzzText
