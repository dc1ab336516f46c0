#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

class IniDocument;

// The format texts offered for dates and times, in the order of the format type selector: four built-in
// lists and the user's own list, which is kept in the settings file ([DTFormats] "f1", "f2", …). Every
// list holds each text once.
class DateTimeFormats
{
public:
    enum Type { Dates = 0, Times = 1, TimesAmPm = 2, DatesAndTimes = 3, User = 4, TypeCount = 5 };

    // The built-in lists, and an empty user list.
    DateTimeFormats();

    // The list of a type; an empty list for an unknown type.
    const QStringList& list(int type) const;
    QStringList& userFormats() { return m_lists[User]; }
    const QStringList& userFormats() const { return m_lists[User]; }

private:
    std::array<QStringList, TypeCount> m_lists;
};

// Appends text to the list, first removing an equal entry, so adding an existing text moves it to the end.
// A blank text is not added: it would end the stored list early.
void PutFormat(QStringList& list, const QString& text);

// The built-in lists and the user's list from the settings file, up to the first missing or empty key.
// A text stored twice is listed once, where it first appears.
DateTimeFormats LoadDateTimeFormats(const IniDocument& settings);

// Writes the user's list as "f1" to "fN" of [DTFormats] and an empty "fN+1" that ends it for the reader.
void StoreUserFormats(const DateTimeFormats& formats, IniDocument& settings);

// A 14-digit stamp "yyyymmddhhnnss" as "yyyy-mm-dd, hh:nn:ss"; any other text is returned unchanged.
QString FormatStamp(QStringView stamp);
