// GetDateFormatW and GetTimeFormatW: Windows picture strings filled with the
// names and default pictures of the user's LC_TIME locale.
//
// Sections: the user's time names (glibc's wide-character items, so the
// locale's own character set does not matter); turning a POSIX strftime
// format into a Windows picture; expanding a picture; the two API calls.
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host/kernel/fakes.h"
#include "platform/win32.h"

namespace {

// ---- The user's time names -------------------------------------------------

struct TimeNames {
    std::u16string days[7];          // Sunday first, as wDayOfWeek counts
    std::u16string shortDays[7];
    std::u16string months[12];       // the form that follows a day number
    std::u16string standaloneMonths[12];
    std::u16string shortMonths[12];
    std::u16string am;
    std::u16string pm;
    std::u32string dateFormat;       // POSIX strftime formats
    std::u32string timeFormat;
    std::u32string timeFormat12;
};

std::u16string ToUtf16(std::u32string_view text)
{
    std::u16string out;
    for (char32_t c : text) {
        if (c >= 0x10000 && c <= 0x10FFFF) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c > 0x10FFFF ? 0xFFFD : c);
        }
    }
    return out;
}

std::u32string WideItem(locale_t locale, int item)
{
    const auto* text = reinterpret_cast<const wchar_t*>(nl_langinfo_l(static_cast<nl_item>(item), locale));
    std::u32string out;
    for (; text && *text; ++text)
        out += static_cast<char32_t>(*text);
    return out;
}

// The LC_TIME locale that the environment names (LC_ALL, LC_TIME, LANG);
// the C locale when it names one that is not installed.
TimeNames ReadTimeNames()
{
    locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (!locale)
        locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    TimeNames names;
    for (int i = 0; i < 7; ++i) {
        names.days[i] = ToUtf16(WideItem(locale, _NL_WDAY_1 + i));
        names.shortDays[i] = ToUtf16(WideItem(locale, _NL_WABDAY_1 + i));
    }
    for (int i = 0; i < 12; ++i) {
        names.months[i] = ToUtf16(WideItem(locale, _NL_WMON_1 + i));
        names.standaloneMonths[i] = ToUtf16(WideItem(locale, _NL_WALTMON_1 + i));
        names.shortMonths[i] = ToUtf16(WideItem(locale, _NL_WABMON_1 + i));
        if (names.standaloneMonths[i].empty())
            names.standaloneMonths[i] = names.months[i];
    }
    names.am = ToUtf16(WideItem(locale, _NL_WAM_STR));
    names.pm = ToUtf16(WideItem(locale, _NL_WPM_STR));
    names.dateFormat = WideItem(locale, _NL_WD_FMT);
    names.timeFormat = WideItem(locale, _NL_WT_FMT);
    names.timeFormat12 = WideItem(locale, _NL_WT_FMT_AMPM);
    if (locale)
        freelocale(locale);
    return names;
}

// The name that decides LC_TIME: the first of LC_ALL, LC_TIME and LANG that
// is set and not empty.
const char* LocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = getenv(variable);
        if (value && *value)
            return value;
    }
    return "";
}

// The names are read once for the program's life (a locale object per
// formatting costs more than the formatting itself), and again only when
// the environment comes to name another locale.
const TimeNames& UserTimeNames()
{
    static std::string name;
    static std::optional<TimeNames> names;
    const char* current = LocaleName();
    if (!names || name != current) {
        names = ReadTimeNames();
        name = current;
    }
    return *names;
}

// ---- POSIX format to Windows picture -----------------------------------------

class PictureBuilder {
public:
    explicit PictureBuilder(const TimeNames& names) : m_names(names) {}

    std::u16string Translate(std::u32string_view format, int depth = 0)
    {
        for (size_t i = 0; i < format.size(); ++i) {
            if (format[i] != U'%' || i + 1 == format.size()) {
                m_literal += format[i];
                continue;
            }
            ++i;
            // GNU padding flags and the E/O modifiers change nothing a picture can say,
            // except that "-" asks for no leading zero.
            bool unpadded = false;
            while (i + 1 < format.size() && std::u32string_view(U"-_0^#EO").find(format[i]) != std::u32string_view::npos) {
                unpadded = unpadded || format[i] == U'-';
                ++i;
            }
            Conversion(format[i], unpadded, depth);
        }
        Flush();
        return std::move(m_picture);
    }

private:
    void Conversion(char32_t c, bool unpadded, int depth)
    {
        switch (c) {
        case U'a': return Element(u"ddd");
        case U'A': return Element(u"dddd");
        case U'b':
        case U'h': return Element(u"MMM");
        case U'B': return Element(u"MMMM");
        case U'd': return Element(unpadded ? u"d" : u"dd");
        case U'e': return Element(u"d");
        case U'm': return Element(unpadded ? u"M" : u"MM");
        case U'y': return Element(u"yy");
        case U'Y': return Element(u"yyyy");
        case U'H': return Element(unpadded ? u"H" : u"HH");
        case U'k': return Element(u"H");
        case U'I': return Element(unpadded ? u"h" : u"hh");
        case U'l': return Element(u"h");
        case U'M': return Element(unpadded ? u"m" : u"mm");
        case U'S': return Element(unpadded ? u"s" : u"ss");
        case U'p':
        case U'P': return Element(u"tt");
        case U'D': return Nested(U"%m/%d/%y", depth);
        case U'F': return Nested(U"%Y-%m-%d", depth);
        case U'R': return Nested(U"%H:%M", depth);
        case U'T': return Nested(U"%H:%M:%S", depth);
        case U'r': return Nested(m_names.timeFormat12, depth);
        case U'n':
        case U't': m_literal += U' '; return;
        case U'%': m_literal += U'%'; return;
        default: return;  // time zones, week numbers and the like have no picture element
        }
    }

    void Nested(std::u32string_view format, int depth)
    {
        if (depth > 2)  // a locale whose %r format refers to itself
            return;
        Flush();
        m_picture += PictureBuilder(m_names).Translate(format, depth + 1);
    }

    void Element(const char16_t* element)
    {
        Flush();
        m_picture += element;
    }

    // Literal text goes in quotes when it holds letters a picture would read.
    void Flush()
    {
        bool letters = false;
        for (char32_t c : m_literal)
            letters = letters || (c < 0x80 && ((c | 0x20) >= U'a' && (c | 0x20) <= U'z'));
        std::u16string text;
        for (char16_t c : ToUtf16(m_literal))
            text += c == u'\'' ? u"''" : std::u16string(1, c);
        m_picture += letters ? u"'" + text + u"'" : text;
        m_literal.clear();
    }

    const TimeNames& m_names;
    std::u32string m_literal;
    std::u16string m_picture;
};

// A long date in the order of the locale's short date.
std::u16string LongDatePicture(const std::u16string& shortDate)
{
    const size_t day = shortDate.find(u'd');
    const size_t month = shortDate.find(u'M');
    const size_t year = shortDate.find(u'y');
    if (year < day && year < month)
        return u"dddd, yyyy MMMM d";
    if (month < day)
        return u"dddd, MMMM d, yyyy";
    const size_t afterDay = shortDate.find_first_not_of(u'd', day);
    const bool dotted = afterDay != std::u16string::npos && shortDate[afterDay] == u'.';
    return dotted ? u"dddd, d. MMMM yyyy" : u"dddd, d MMMM yyyy";
}

// ---- Expanding a picture -----------------------------------------------------

enum class PictureKind { Date, Time };

std::u16string Number(int value, int digits)
{
    std::u16string text;
    for (std::string n = std::to_string(value); char c : n)
        text += static_cast<char16_t>(c);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, digits - text.size(), u'0');
    return text;
}

// Sunday = 0, for any Gregorian date (Sakamoto's method).
int DayOfWeek(int year, int month, int day)
{
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    year -= month < 3;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

class PictureExpander {
public:
    PictureExpander(PictureKind kind, DWORD flags, const SYSTEMTIME& time, const TimeNames& names)
        : m_kind(kind), m_flags(flags), m_time(time), m_names(names)
    {
    }

    // Letters that are no element of this kind of picture are copied, and an
    // unclosed quote runs to the end, as on Windows.
    std::u16string Expand(std::u16string_view picture)
    {
        const bool dayNumber = HasDayNumber(picture);
        for (size_t i = 0; i < picture.size();) {
            const char16_t c = picture[i];
            if (c == u'\'') {
                i = Quoted(picture, i);
                continue;
            }
            size_t run = 1;
            while (i + run < picture.size() && picture[i + run] == c)
                ++run;
            if (!IsElement(c)) {
                Literal(picture.substr(i, 1));
                ++i;
                continue;
            }
            Element(c, static_cast<int>(run), dayNumber);
            i += run;
        }
        return std::move(m_out);
    }

private:
    bool IsElement(char16_t c) const
    {
        return m_kind == PictureKind::Date ? std::u16string_view(u"dMyg").find(c) != std::u16string_view::npos
                                           : std::u16string_view(u"hHmst").find(c) != std::u16string_view::npos;
    }

    // Month names take the form that follows a day number when the picture has one.
    static bool HasDayNumber(std::u16string_view picture)
    {
        bool quoted = false;
        for (size_t i = 0; i < picture.size();) {
            if (picture[i] == u'\'') {
                quoted = !quoted;
                ++i;
                continue;
            }
            size_t run = 1;
            while (i + run < picture.size() && picture[i + run] == picture[i])
                ++run;
            if (!quoted && picture[i] == u'd' && run <= 2)
                return true;
            i += run;
        }
        return false;
    }

    size_t Quoted(std::u16string_view picture, size_t i)
    {
        ++i;
        if (i < picture.size() && picture[i] == u'\'') {  // '' is one quote
            Literal(u"'");
            return i + 1;
        }
        while (i < picture.size()) {
            if (picture[i] == u'\'') {
                if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                    Literal(u"'");
                    i += 2;
                    continue;
                }
                return i + 1;
            }
            Literal(picture.substr(i++, 1));
        }
        return i;
    }

    void Literal(std::u16string_view text)
    {
        if (!m_skipSeparator)
            m_out += text;
    }

    void Element(char16_t c, int run, bool dayNumber)
    {
        const SYSTEMTIME& t = m_time;
        const bool twelveHours = !(m_flags & TIME_FORCE24HOURFORMAT);
        switch (c) {
        case u'd':
            Emit(run == 1 ? Number(t.wDay, 1)
                 : run == 2 ? Number(t.wDay, 2)
                 : run == 3 ? m_names.shortDays[DayOfWeek(t.wYear, t.wMonth, t.wDay)]
                            : m_names.days[DayOfWeek(t.wYear, t.wMonth, t.wDay)]);
            return;
        case u'M':
            Emit(run <= 2  ? Number(t.wMonth, run)
                 : run == 3 ? m_names.shortMonths[t.wMonth - 1]
                 : dayNumber ? m_names.months[t.wMonth - 1]
                             : m_names.standaloneMonths[t.wMonth - 1]);
            return;
        case u'y':
            Emit(run == 1 ? Number(t.wYear % 100, 1) : run == 2 ? Number(t.wYear % 100, 2) : Number(t.wYear, 4));
            return;
        case u'g':
            return Emit(u"");  // one era only
        case u'h':
        case u'H':
            if (c == u'h' && twelveHours)
                return Emit(Number(t.wHour % 12 == 0 ? 12 : t.wHour % 12, run >= 2 ? 2 : 1));
            return Emit(Number(t.wHour, run >= 2 ? 2 : 1));
        case u'm':
            if (m_flags & TIME_NOMINUTESORSECONDS)
                return Drop();
            return Emit(Number(t.wMinute, run >= 2 ? 2 : 1));
        case u's':
            if (m_flags & (TIME_NOMINUTESORSECONDS | TIME_NOSECONDS))
                return Drop();
            return Emit(Number(t.wSecond, run >= 2 ? 2 : 1));
        case u't': {
            if (m_flags & TIME_NOTIMEMARKER)
                return Drop();
            const std::u16string& marker = t.wHour < 12 ? m_names.am : m_names.pm;
            return Emit(run == 1 ? marker.substr(0, 1) : marker);
        }
        default:
            return;
        }
    }

    void Emit(const std::u16string& text)
    {
        m_out += text;
        m_elementEnd = m_out.size();
        m_anyElement = true;
        m_skipSeparator = false;
    }

    // A left-out element takes the separator before it along; one at the start
    // takes the separator after it.
    void Drop()
    {
        m_out.resize(m_elementEnd);
        m_skipSeparator = !m_anyElement;
    }

    PictureKind m_kind;
    DWORD m_flags;
    const SYSTEMTIME& m_time;
    const TimeNames& m_names;
    std::u16string m_out;
    size_t m_elementEnd = 0;
    bool m_anyElement = false;
    bool m_skipSeparator = false;
};

// ---- The API -------------------------------------------------------------------

SYSTEMTIME LocalTimeNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (const auto& fake = host::Fakes().wallClock) {
        const DWORD elapsed = GetTickCount() - fake->tick;
        now.tv_sec = static_cast<time_t>(fake->seconds + elapsed / 1000);
        now.tv_nsec = static_cast<long>(elapsed % 1000) * 1000000;
    }
    tm local{};
    localtime_r(&now.tv_sec, &local);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(local.tm_year + 1900);
    time.wMonth = static_cast<WORD>(local.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time.wDay = static_cast<WORD>(local.tm_mday);
    time.wHour = static_cast<WORD>(local.tm_hour);
    time.wMinute = static_cast<WORD>(local.tm_min);
    time.wSecond = static_cast<WORD>(local.tm_sec);
    time.wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
    return time;
}

bool ValidDate(const SYSTEMTIME& t)
{
    return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
           t.wDay <= DaysInMonth(t.wYear, t.wMonth);
}

bool ValidTime(const SYSTEMTIME& t)
{
    return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

int Fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

// The text with its terminator into the caller's buffer: size 0 asks for the
// size needed, a buffer that is too small gets nothing and the result is 0.
int Deliver(const std::u16string& text, LPWSTR buffer, int size)
{
    const int needed = static_cast<int>(text.size()) + 1;
    if (size == 0)
        return needed;
    if (size < needed)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    text.copy(buffer, text.size());
    buffer[text.size()] = 0;
    return needed;
}

}  // namespace

// Every locale is the user's: the program asks for LOCALE_USER_DEFAULT only.
int GetDateFormatW(LCID, DWORD flags, const SYSTEMTIME* date, LPCWSTR format, LPWSTR buffer, int size)
{
    const DWORD styles = flags & (DATE_SHORTDATE | DATE_LONGDATE);
    if (size < 0 || (size > 0 && !buffer))
        return Fail(ERROR_INVALID_PARAMETER);
    if (styles == (DATE_SHORTDATE | DATE_LONGDATE) || (format && styles))
        return Fail(ERROR_INVALID_FLAGS);
    const SYSTEMTIME time = date ? *date : LocalTimeNow();
    if (!ValidDate(time))
        return Fail(ERROR_INVALID_PARAMETER);
    const TimeNames& names = UserTimeNames();
    std::u16string picture;
    if (format) {
        picture = format;
    } else {
        picture = PictureBuilder(names).Translate(names.dateFormat);
        if (styles == DATE_LONGDATE)
            picture = LongDatePicture(picture);
    }
    return Deliver(PictureExpander(PictureKind::Date, 0, time, names).Expand(picture), buffer, size);
}

int GetTimeFormatW(LCID, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR buffer, int size)
{
    if (size < 0 || (size > 0 && !buffer))
        return Fail(ERROR_INVALID_PARAMETER);
    const SYSTEMTIME now = time ? *time : LocalTimeNow();
    if (!ValidTime(now))
        return Fail(ERROR_INVALID_PARAMETER);
    const TimeNames& names = UserTimeNames();
    const std::u16string picture = format ? std::u16string(format) : PictureBuilder(names).Translate(names.timeFormat);
    return Deliver(PictureExpander(PictureKind::Time, flags, now, names).Expand(picture), buffer, size);
}
