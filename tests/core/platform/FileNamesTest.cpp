#include "core/platform/FileNames.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

// Every byte string comes back exactly; where Qt's own decoding would lose bytes, the names differ from it.
TEST(FileNames, BytesComeBackExactly)
{
    const std::pair<QByteArray, bool> cases[] = {
        {"M\xC3\xBCnchen", true},
        {"trip \xF0\x9F\x8C\x8D", true},
        {"\xEF\xBB\xBFname", true}, // a byte order mark is part of the name
        {QByteArray("\xFF\xEF\xBB\xBF", 4), false},
        {QByteArray("a\xC0\xAF", 3), false},        // overlong
        {QByteArray("\xED\xA0\x80x", 4), false},    // encoded surrogate
        {QByteArray("\xE2\x82", 2), false},         // truncated
        {QByteArray("\xF4\x90\x80\x80", 4), false}, // beyond U+10FFFF
        {QByteArray("\xC3\xA4\xFF\xC3\xA4", 5), false},
    };
    for (const auto& [bytes, validUtf8] : cases) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        const QString decoded = FileNames::decode(bytes);
        EXPECT_EQ(FileNames::encode(decoded), bytes);
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        EXPECT_EQ(decoded == QString(utf8.decode(bytes)), validUtf8);
    }
    // A stray surrogate typed by the user cannot be written: it becomes the replacement character.
    EXPECT_EQ(FileNames::encode(QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b")), QByteArray("a\xEF\xBF\xBD"
                                                                                                       "b"));
}

} // namespace
