// wsprintfW and _snwprintf: one formatter behind both. wsprintfW knows no
// floating point (as on Windows: the conversion letter is copied) and stops
// at 1024 characters; _snwprintf adds %e %f %g and truncates like the MS C
// runtime. %s takes a WCHAR string, %hs and %S a narrow one, and a null
// string prints "(null)". %n is not supported.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/host/kernel/unicode.h"
#include "platform/win32.h"

namespace {

constexpr size_t kWsprintfLimit = 1024;  // characters, terminator included
constexpr int kLargestField = 100000;    // absurd widths and precisions are capped, not overflowed

// One conversion: %[flags][width][.precision][size]type.
struct Conversion {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zero = false;
    int width = 0;
    int precision = -1;  // none
    enum class Size { Default, Short, Long64, Pointer } size = Size::Default;
    bool narrow = false;  // %hs, %hc, %S, %C
    WCHAR type = 0;
};

class Formatter {
public:
    Formatter(bool floats, va_list args) : m_floats(floats) { va_copy(m_args, args); }
    ~Formatter() { va_end(m_args); }
    Formatter(const Formatter&) = delete;
    Formatter& operator=(const Formatter&) = delete;

    std::u16string Format(const WCHAR* format)
    {
        for (const WCHAR* p = format; *p;) {
            if (*p != u'%') {
                m_out += *p++;
                continue;
            }
            ++p;
            if (*p == u'%') {
                m_out += *p++;
                continue;
            }
            const Conversion conversion = Parse(p);
            if (conversion.type)
                Convert(conversion);
        }
        return std::move(m_out);
    }

private:
    int Number(const WCHAR*& p)
    {
        if (*p == u'*') {
            ++p;
            return std::clamp(va_arg(m_args, int), -kLargestField, kLargestField);
        }
        int value = 0;
        for (; *p >= u'0' && *p <= u'9'; ++p)
            value = std::min(value * 10 + (*p - u'0'), kLargestField);
        return value;
    }

    Conversion Parse(const WCHAR*& p)
    {
        Conversion c;
        for (;; ++p) {
            if (*p == u'-')
                c.left = true;
            else if (*p == u'+')
                c.plus = true;
            else if (*p == u' ')
                c.space = true;
            else if (*p == u'#')
                c.alternate = true;
            else if (*p == u'0')
                c.zero = true;
            else
                break;
        }
        c.width = Number(p);
        if (c.width < 0) {  // a negative '*' width means left-justified
            c.left = true;
            c.width = -c.width;
        }
        if (*p == u'.') {
            ++p;
            c.precision = Number(p);
            if (c.precision < 0)
                c.precision = -1;
        }
        if (*p == u'h') {
            c.size = Conversion::Size::Short;
            c.narrow = true;
            ++p;
        } else if (*p == u'l') {
            ++p;
            if (*p == u'l') {
                c.size = Conversion::Size::Long64;
                ++p;
            }
        } else if (*p == u'L' || *p == u'w') {
            ++p;
        } else if (*p == u'I') {
            ++p;
            if (p[0] == u'6' && p[1] == u'4') {
                c.size = Conversion::Size::Long64;
                p += 2;
            } else if (p[0] == u'3' && p[1] == u'2') {
                p += 2;
            } else {
                c.size = Conversion::Size::Pointer;
            }
        }
        c.type = *p;
        if (*p)
            ++p;
        if (c.type == u'S' || c.type == u'C') {
            c.narrow = true;
            c.type = c.type == u'S' ? u's' : u'c';
        }
        return c;
    }

    void Convert(const Conversion& c)
    {
        switch (c.type) {
        case u'd':
        case u'i':
            return Integer(c, SignedArgument(c.size));
        case u'u':
        case u'x':
        case u'X':
        case u'o':
            return Integer(c, {UnsignedArgument(c.size), false});
        case u'p': {
            Conversion pointer = c;
            pointer.type = u'X';
            pointer.precision = 2 * sizeof(void*);
            return Integer(pointer, {reinterpret_cast<ULONG_PTR>(va_arg(m_args, void*)), false});
        }
        case u'c':
            return Pad(c, std::u16string(1, static_cast<WCHAR>(c.narrow ? static_cast<unsigned char>(va_arg(m_args, int))
                                                                        : va_arg(m_args, int))),
                       0);
        case u's':
            return Pad(c, StringArgument(c), 0);
        case u'e':
        case u'E':
        case u'f':
        case u'F':
        case u'g':
        case u'G':
            if (m_floats)
                return Float(c);
            break;
        default:
            break;
        }
        m_out += c.type;  // unknown conversions print their letter and take no argument
    }

    struct Magnitude {
        ULONGLONG value;
        bool negative;
    };

    Magnitude SignedArgument(Conversion::Size size)
    {
        LONGLONG value = 0;
        switch (size) {
        case Conversion::Size::Short: value = static_cast<SHORT>(va_arg(m_args, int)); break;
        case Conversion::Size::Long64: value = va_arg(m_args, long long); break;
        case Conversion::Size::Pointer: value = va_arg(m_args, INT_PTR); break;
        case Conversion::Size::Default: value = va_arg(m_args, int); break;
        }
        return {value < 0 ? 0 - static_cast<ULONGLONG>(value) : static_cast<ULONGLONG>(value), value < 0};
    }

    ULONGLONG UnsignedArgument(Conversion::Size size)
    {
        switch (size) {
        case Conversion::Size::Short: return static_cast<USHORT>(va_arg(m_args, unsigned int));
        case Conversion::Size::Long64: return va_arg(m_args, unsigned long long);
        case Conversion::Size::Pointer: return va_arg(m_args, UINT_PTR);
        case Conversion::Size::Default: break;
        }
        return va_arg(m_args, unsigned int);
    }

    std::u16string StringArgument(const Conversion& c)
    {
        std::u16string text;
        if (c.narrow) {
            const char* narrow = va_arg(m_args, const char*);
            text = narrow ? host::ToUtf16(narrow) : u"(null)";
        } else {
            const WCHAR* wide = va_arg(m_args, const WCHAR*);
            text = wide ? wide : u"(null)";
        }
        if (c.precision >= 0 && text.size() > static_cast<size_t>(c.precision))
            text.resize(c.precision);
        return text;
    }

    void Integer(const Conversion& c, Magnitude number)
    {
        const unsigned base = c.type == u'o' ? 8 : c.type == u'x' || c.type == u'X' ? 16 : 10;
        const char* digitSet = c.type == u'X' ? "0123456789ABCDEF" : "0123456789abcdef";
        std::u16string digits;
        for (ULONGLONG v = number.value; v; v /= base)
            digits.insert(digits.begin(), static_cast<WCHAR>(digitSet[v % base]));
        const size_t minimum = c.precision >= 0 ? static_cast<size_t>(c.precision) : 1;
        if (digits.size() < minimum)
            digits.insert(0, minimum - digits.size(), u'0');

        std::u16string prefix;
        if (c.type == u'd' || c.type == u'i')
            prefix = number.negative ? u"-" : c.plus ? u"+" : c.space ? u" " : u"";
        else if (c.alternate && number.value && base == 16)
            prefix = c.type == u'X' ? u"0X" : u"0x";
        else if (c.alternate && base == 8 && digits[0] != u'0')
            prefix = u"0";
        Pad(c, prefix + digits, prefix.size());
    }

    void Float(const Conversion& c)
    {
        const double value = va_arg(m_args, double);
        std::string spec = "%";
        spec += c.left ? "-" : "";
        spec += c.plus ? "+" : "";
        spec += c.space ? " " : "";
        spec += c.alternate ? "#" : "";
        spec += c.zero ? "0" : "";
        spec += "*.*";
        spec += static_cast<char>(c.type);
        const int precision = c.precision >= 0 ? c.precision : 6;
        const int length = std::snprintf(nullptr, 0, spec.c_str(), c.width, precision, value);
        if (length <= 0)
            return;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        std::snprintf(text.data(), text.size(), spec.c_str(), c.width, precision, value);
        text.resize(length);
        m_out += host::ToUtf16(text);
    }

    // Justifies within the width; zero padding goes after the sign or prefix
    // and only where C allows it (numbers without a precision).
    void Pad(const Conversion& c, const std::u16string& text, size_t prefixLength)
    {
        const size_t width = static_cast<size_t>(c.width);
        if (text.size() >= width) {
            m_out += text;
            return;
        }
        const size_t fill = width - text.size();
        const bool zeros = c.zero && !c.left && c.precision < 0 && c.type != u's' && c.type != u'c';
        if (c.left) {
            m_out += text;
            m_out.append(fill, u' ');
        } else if (zeros) {
            m_out.append(text, 0, prefixLength);
            m_out.append(fill, u'0');
            m_out.append(text, prefixLength);
        } else {
            m_out.append(fill, u' ');
            m_out += text;
        }
    }

    bool m_floats;
    va_list m_args;
    std::u16string m_out;
};

std::u16string FormatArguments(bool floats, const WCHAR* format, va_list args)
{
    return Formatter(floats, args).Format(format);
}

}  // namespace

int wsprintfW(LPWSTR buffer, LPCWSTR format, ...)
{
    if (!buffer || !format)
        return 0;
    va_list args;
    va_start(args, format);
    std::u16string text = FormatArguments(false, format, args);
    va_end(args);
    if (text.size() >= kWsprintfLimit)
        text.resize(kWsprintfLimit - 1);
    text.copy(buffer, text.size());
    buffer[text.size()] = 0;
    return static_cast<int>(text.size());
}

// Like the MS C runtime: a text shorter than `count` is terminated; one of
// exactly `count` characters is stored without a terminator; a longer one is
// cut to `count` characters, without a terminator, and -1 returned.
int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...)
{
    if (!format || (!buffer && count))
        return -1;
    va_list args;
    va_start(args, format);
    const std::u16string text = FormatArguments(true, format, args);
    va_end(args);
    if (!buffer)
        return static_cast<int>(text.size());
    text.copy(buffer, std::min(text.size(), count));
    if (text.size() < count)
        buffer[text.size()] = 0;
    return text.size() <= count ? static_cast<int>(text.size()) : -1;
}
