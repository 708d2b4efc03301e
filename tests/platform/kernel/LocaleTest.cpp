#include <gtest/gtest.h>

#include <locale.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/win32.h"
#include "tests/support/TestFiles.h"

namespace {

// Tuesday, 5 March 2024, 14:07:09.
constexpr SYSTEMTIME kAfternoon = {2024, 3, 2, 5, 14, 7, 9, 0};
// Friday, 25 December 2009, 00:05:03.
constexpr SYSTEMTIME kMidnight = {2009, 12, 5, 25, 0, 5, 3, 0};

class LocaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* saved = std::getenv("LC_ALL");
        m_saved = saved ? std::optional<std::string>(saved) : std::nullopt;
        setenv("LC_ALL", "C", 1);
    }

    void TearDown() override
    {
        if (m_saved)
            setenv("LC_ALL", m_saved->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }

    // False when the machine lacks the locale.
    static bool Use(const char* name)
    {
        locale_t locale = newlocale(LC_TIME_MASK, name, static_cast<locale_t>(nullptr));
        if (!locale)
            return false;
        freelocale(locale);
        setenv("LC_ALL", name, 1);
        return true;
    }

    static std::u16string Date(const SYSTEMTIME& date, const WCHAR* picture, DWORD flags = 0)
    {
        WCHAR buffer[64] = {};
        const int length = GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, picture, buffer, 64);
        EXPECT_EQ(static_cast<size_t>(length), std::u16string(buffer).size() + 1);
        return buffer;
    }

    static std::u16string Time(const SYSTEMTIME& time, const WCHAR* picture, DWORD flags = 0)
    {
        WCHAR buffer[64] = {};
        const int length = GetTimeFormatW(LOCALE_USER_DEFAULT, flags, &time, picture, buffer, 64);
        EXPECT_EQ(static_cast<size_t>(length), std::u16string(buffer).size() + 1);
        return buffer;
    }

private:
    std::optional<std::string> m_saved;
};

struct PictureCase {
    const SYSTEMTIME& time;
    const WCHAR* picture;
    const char16_t* expected;
};

TEST_F(LocaleTest, DatePictureElements)
{
    const PictureCase cases[] = {
        {kAfternoon, u"d", u"5"},
        {kAfternoon, u"dd", u"05"},
        {kAfternoon, u"ddd", u"Tue"},
        {kAfternoon, u"dddd", u"Tuesday"},
        {kAfternoon, u"ddddd", u"Tuesday"},               // longer runs are the full name
        {kAfternoon, u"M", u"3"},
        {kAfternoon, u"MM", u"03"},
        {kAfternoon, u"MMM", u"Mar"},
        {kAfternoon, u"MMMM", u"March"},
        {kMidnight, u"y", u"9"},                          // no leading zero
        {kMidnight, u"yy", u"09"},
        {kMidnight, u"yyy", u"2009"},                     // three or more: the full year
        {kMidnight, u"yyyy", u"2009"},
        {kMidnight, u"yyyyy", u"2009"},
        {kAfternoon, u"gg yyyy", u" 2024"},               // the era is left out
        {kAfternoon, u"dd.MM.yyyy", u"05.03.2024"},
        {kAfternoon, u"d hh:mm", u"5 hh:mm"},             // time letters are text in a date
    };
    for (const PictureCase& c : cases)
        EXPECT_EQ(Date(c.time, c.picture), c.expected) << testing::PrintToString(std::u16string(c.picture));
}

TEST_F(LocaleTest, TheDayOfWeekComesFromTheDate)
{
    SYSTEMTIME wrongDay = kAfternoon;
    wrongDay.wDayOfWeek = 6;
    EXPECT_EQ(Date(wrongDay, u"dddd"), u"Tuesday");
    EXPECT_EQ(Date({2000, 2, 0, 29, 0, 0, 0, 0}, u"ddd"), u"Tue");  // a leap day
}

TEST_F(LocaleTest, QuotedTextIsCopied)
{
    const PictureCase cases[] = {
        {kAfternoon, u"'Heute ist' dddd", u"Heute ist Tuesday"},
        {kAfternoon, u"d 'o''clock'", u"5 o'clock"},      // '' inside quotes
        {kAfternoon, u"d''M", u"5'3"},                    // '' outside quotes
        {kAfternoon, u"'dd' dd", u"dd 05"},
        {kAfternoon, u"d 'unclosed M", u"5 unclosed M"},  // an open quote runs to the end
        {kAfternoon, u"", u""},
    };
    for (const PictureCase& c : cases)
        EXPECT_EQ(Date(c.time, c.picture), c.expected) << testing::PrintToString(std::u16string(c.picture));
}

TEST_F(LocaleTest, TimePictureElements)
{
    const PictureCase cases[] = {
        {kAfternoon, u"h", u"2"},
        {kAfternoon, u"hh", u"02"},
        {kAfternoon, u"H", u"14"},
        {kMidnight, u"HH", u"00"},
        {kMidnight, u"h", u"12"},                         // midnight is 12 AM
        {kMidnight, u"H", u"0"},
        {kAfternoon, u"m:mm", u"7:07"},
        {kAfternoon, u"s:ss", u"9:09"},
        {kAfternoon, u"t tt", u"P PM"},
        {kMidnight, u"tt", u"AM"},
        {kAfternoon, u"HH 'h' d", u"14 h d"},             // date letters are text in a time
        {kAfternoon, u"hhh", u"02"},                      // longer runs are two digits
    };
    for (const PictureCase& c : cases)
        EXPECT_EQ(Time(c.time, c.picture), c.expected) << testing::PrintToString(std::u16string(c.picture));
}

TEST_F(LocaleTest, TimeFlagsLeaveOutElementsWithTheirSeparators)
{
    EXPECT_EQ(Time(kAfternoon, u"HH:mm:ss", TIME_NOSECONDS), u"14:07");
    EXPECT_EQ(Time(kAfternoon, u"HH:mm:ss", TIME_NOMINUTESORSECONDS), u"14");
    EXPECT_EQ(Time(kAfternoon, u"hh:mm:ss tt", TIME_NOSECONDS), u"02:07 PM");
    EXPECT_EQ(Time(kAfternoon, u"hh:mm tt", TIME_NOTIMEMARKER), u"02:07");
    EXPECT_EQ(Time(kAfternoon, u"tt hh:mm", TIME_NOTIMEMARKER), u"02:07");
    EXPECT_EQ(Time(kAfternoon, u"hh:mm tt", TIME_FORCE24HOURFORMAT), u"14:07 PM");
}

TEST_F(LocaleTest, BufferSizes)
{
    WCHAR buffer[32];
    // Size 0 asks for the size, terminator included.
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &kAfternoon, u"dd.MM.yyyy", nullptr, 0), 11);
    // 31 characters fill the 32-character buffer exactly.
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &kAfternoon, u"'abcdefghijklmnopqrstuvwxy' dd.MM", buffer, 32), 32);
    EXPECT_EQ(buffer[31], 0);
    // 32 characters do not fit: 0, whatever the picture.
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &kAfternoon, u"dddd, dddd, dddd, dddd, dddd", buffer, 32), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &kAfternoon, u"'01234567890123456789012345' HH:mm", buffer, 32), 0);
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &kAfternoon, u"d", nullptr, 5), 0);
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &kAfternoon, u"d", buffer, -1), 0);
}

TEST_F(LocaleTest, InvalidInputFailsInsteadOfPrintingGarbage)
{
    WCHAR buffer[32];
    const SYSTEMTIME badDates[] = {
        {2024, 13, 0, 1, 0, 0, 0, 0},   // month 13
        {2023, 2, 0, 29, 0, 0, 0, 0},   // no leap year
        {2024, 4, 0, 31, 0, 0, 0, 0},   // April has 30 days
        {2024, 0, 0, 1, 0, 0, 0, 0},    // month 0 would index before the names
        {1600, 1, 0, 1, 0, 0, 0, 0},    // before the Gregorian range Windows knows
    };
    for (const SYSTEMTIME& date : badDates) {
        EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, u"MMMM", buffer, 32), 0) << date.wMonth;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    const SYSTEMTIME badTime = {2024, 1, 0, 1, 24, 0, 0, 0};
    EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &badTime, u"HH", buffer, 32), 0);
    // A picture together with a date style is contradictory.
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &kAfternoon, u"d", buffer, 32), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE | DATE_LONGDATE, &kAfternoon, nullptr, buffer, 32), 0);
}

TEST_F(LocaleTest, NoTimeGivenMeansNow)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    WCHAR buffer[32];
    ASSERT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, u"yyyy", buffer, 32), 5);
    EXPECT_EQ(testfiles::Utf8(buffer), std::to_string(local.tm_year + 1900));
    EXPECT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, 32), 1);
}

TEST_F(LocaleTest, DefaultPicturesOfTheCLocale)
{
    EXPECT_EQ(Date(kAfternoon, nullptr), u"03/05/24");
    EXPECT_EQ(Date(kAfternoon, nullptr, DATE_SHORTDATE), u"03/05/24");
    EXPECT_EQ(Time(kAfternoon, nullptr), u"14:07:09");
}

TEST_F(LocaleTest, EnglishNamesAndPictures)
{
    if (!Use("en_US.UTF-8"))
        GTEST_SKIP() << "en_US.UTF-8 is not installed";
    EXPECT_EQ(Date(kAfternoon, nullptr), u"03/05/2024");
    EXPECT_EQ(Date(kAfternoon, nullptr, DATE_LONGDATE), u"Tuesday, March 5, 2024");
    EXPECT_EQ(Time(kAfternoon, nullptr), u"02:07:09 PM");
    EXPECT_EQ(Time(kAfternoon, nullptr, TIME_NOSECONDS), u"02:07 PM");
    EXPECT_EQ(Date(kMidnight, u"dddd, MMMM d"), u"Friday, December 25");
}

TEST_F(LocaleTest, GermanNamesAndPictures)
{
    if (!Use("de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(Date(kAfternoon, nullptr), u"05.03.2024");
    EXPECT_EQ(Date(kAfternoon, nullptr, DATE_LONGDATE), u"Dienstag, 5. M\u00E4rz 2024");
    EXPECT_EQ(Date(kAfternoon, u"ddd, d. MMM"), u"Di, 5. M\u00E4r");
    EXPECT_EQ(Time(kAfternoon, nullptr), u"14:07:09");
    EXPECT_EQ(Time(kAfternoon, u"HH:mm tt"), u"14:07 ");  // German has no AM/PM marker
}

}  // namespace
