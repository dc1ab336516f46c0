#include "platform/FileNames.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct NameCase
{
    const char* label;
    QByteArray bytes;
    bool validUtf8;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.label;
}

class FileNamesRoundTrip : public ::testing::TestWithParam<NameCase>
{};

TEST_P(FileNamesRoundTrip, BytesComeBackExactly)
{
    const NameCase& c = GetParam();
    const QString decoded = FileNames::decode(c.bytes);
    EXPECT_EQ(FileNames::encode(decoded), c.bytes);
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString qtDecoded = utf8.decode(c.bytes);
    if (c.validUtf8)
        EXPECT_EQ(decoded, qtDecoded);
    else
        EXPECT_NE(FileNames::encode(qtDecoded), c.bytes) << "Qt's own decoding would lose it";
}

INSTANTIATE_TEST_SUITE_P(Names, FileNamesRoundTrip,
                         ::testing::Values(NameCase{"ascii", "Photos 2004", true},
                                           NameCase{"umlaut", "M\xC3\xBCnchen", true},
                                           NameCase{"emoji", "trip \xF0\x9F\x8C\x8D", true},
                                           NameCase{"byte_order_mark", "\xEF\xBB\xBFname", true},
                                           NameCase{"mark_after_bad_byte", QByteArray("\xFF\xEF\xBB\xBF", 4), false},
                                           NameCase{"latin1", QByteArray("caf\xE9", 4), false},
                                           NameCase{"overlong", QByteArray("a\xC0\xAF", 3), false},
                                           NameCase{"surrogate", QByteArray("\xED\xA0\x80x", 4), false},
                                           NameCase{"truncated", QByteArray("\xE2\x82", 2), false},
                                           NameCase{"beyond", QByteArray("\xF4\x90\x80\x80", 4), false},
                                           NameCase{"mixed", QByteArray("\xC3\xA4\xFF\xC3\xA4", 5), false}),
                         [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

TEST(FileNames, StrayTypedSurrogateBecomesReplacementCharacter)
{
    const QString name = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
    EXPECT_EQ(FileNames::encode(name), QByteArray("a\xEF\xBF\xBD"
                                                  "b"));
}

} // namespace
