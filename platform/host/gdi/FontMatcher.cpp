// Fontconfig, loaded when first needed (see FontMatcher.h).
#include "platform/host/gdi/FontMatcher.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

namespace host::gdi {
namespace {

// The calls the program makes, looked up in the loaded library.
#define OSTREVIA_FONTCONFIG_CALLS(CALL)                                                                            \
    CALL(FcInitLoadConfigAndFonts)                                                                                 \
    CALL(FcConfigDestroy)                                                                                          \
    CALL(FcFini)                                                                                                   \
    CALL(FcPatternCreate)                                                                                          \
    CALL(FcPatternDestroy)                                                                                         \
    CALL(FcPatternAddString)                                                                                       \
    CALL(FcPatternAddInteger)                                                                                      \
    CALL(FcPatternAddBool)                                                                                         \
    CALL(FcPatternGetString)                                                                                       \
    CALL(FcPatternGetInteger)                                                                                      \
    CALL(FcConfigSubstitute)                                                                                       \
    CALL(FcDefaultSubstitute)                                                                                      \
    CALL(FcFontMatch)                                                                                              \
    CALL(FcConfigGetConfigFiles)                                                                                   \
    CALL(FcConfigGetConfigDirs)                                                                                    \
    CALL(FcConfigGetFontDirs)                                                                                      \
    CALL(FcStrListNext)                                                                                            \
    CALL(FcStrListDone)

struct FontConfigLibrary {
#define OSTREVIA_DECLARE(name) decltype(&::name) name = nullptr;
    OSTREVIA_FONTCONFIG_CALLS(OSTREVIA_DECLARE)
#undef OSTREVIA_DECLARE
    void* handle = nullptr;
    std::string path;  // the library's file
    FcConfig* config = nullptr;

    FontConfigLibrary()
    {
        handle = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            fprintf(stderr, "ostrevia: cannot load fontconfig (%s); install libfontconfig1 to see text\n", dlerror());
            return;
        }
#define OSTREVIA_LOOK_UP(name) name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name));
        OSTREVIA_FONTCONFIG_CALLS(OSTREVIA_LOOK_UP)
#undef OSTREVIA_LOOK_UP
        bool complete = true;
#define OSTREVIA_CHECK(name) complete = complete && name != nullptr;
        OSTREVIA_FONTCONFIG_CALLS(OSTREVIA_CHECK)
#undef OSTREVIA_CHECK
        Dl_info info{};
        if (complete && dladdr(reinterpret_cast<void*>(FcFontMatch), &info) && info.dli_fname)
            path = info.dli_fname;
        if (!complete) {
            fputs("ostrevia: the fontconfig library lacks calls the program needs; install a newer libfontconfig1 to see text\n", stderr);
            dlclose(handle);
            handle = nullptr;
        }
    }
    // At exit, so that fontconfig's memory is not taken for a leak.
    ~FontConfigLibrary()
    {
        if (!handle)
            return;
        Release();
        FcFini();
    }
    void Release()
    {
        if (config)
            FcConfigDestroy(config);
        config = nullptr;
    }
    // The configuration, read when first needed; null without the library.
    FcConfig* Config()
    {
        if (handle && !config)
            config = FcInitLoadConfigAndFonts();
        return config;
    }
    void Collect(FcStrList* list, std::set<std::string>& paths, bool withFolder)
    {
        if (!list)
            return;
        while (const FcChar8* path = FcStrListNext(list)) {
            const std::string name = reinterpret_cast<const char*>(path);
            paths.insert(name);
            if (withFolder)
                paths.insert(std::filesystem::path(name).parent_path().string());
        }
        FcStrListDone(list);
    }
};

bool g_loaded = false;

FontConfigLibrary& TheLibrary()
{
    static FontConfigLibrary library;
    g_loaded = true;
    return library;
}

std::string Variable(const char* name)
{
    const char* value = getenv(name);
    return value ? std::string("=") + value : std::string();
}

}  // namespace

FaceFile MatchWithFontConfig(const FaceRequest& request)
{
    FaceFile file;
    FontConfigLibrary& fc = TheLibrary();
    FcConfig* config = fc.Config();
    if (!config)
        return file;
    FcPattern* pattern = fc.FcPatternCreate();
    const char* family = request.family.empty() ? "sans-serif" : request.family.c_str();
    fc.FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    fc.FcPatternAddInteger(pattern, FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    fc.FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    fc.FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    fc.FcConfigSubstitute(config, pattern, FcMatchPattern);
    fc.FcDefaultSubstitute(pattern);
    FcResult result;
    if (FcPattern* match = fc.FcFontMatch(config, pattern, &result)) {
        FcChar8* path = nullptr;
        int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        if (fc.FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
            file.path = reinterpret_cast<char*>(path);
        fc.FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
        fc.FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        fc.FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        file.bold = weight >= FC_WEIGHT_DEMIBOLD;
        file.italic = slant != FC_SLANT_ROMAN;
        fc.FcPatternDestroy(match);
    }
    fc.FcPatternDestroy(pattern);
    return file;
}

std::vector<std::string> FontConfigWitnesses()
{
    FontConfigLibrary& fc = TheLibrary();
    FcConfig* config = fc.Config();
    if (!config)
        return {};
    std::set<std::string> paths;
    fc.Collect(fc.FcConfigGetConfigFiles(config), paths, true);
    fc.Collect(fc.FcConfigGetConfigDirs(config), paths, false);
    fc.Collect(fc.FcConfigGetFontDirs(config), paths, false);
    // The user's own configuration counts from the moment it is made, and
    // fontconfig lists only what it read.
    const char* home = getenv("HOME");
    const char* configHome = getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/')
        paths.insert(std::string(configHome) + "/fontconfig");
    else if (home && home[0] == '/')
        paths.insert(std::string(home) + "/.config/fontconfig");
    if (home && home[0] == '/') {
        paths.insert(std::string(home) + "/.fonts.conf");
        paths.insert(std::string(home) + "/.fonts.conf.d");
    }
    if (!fc.path.empty())
        paths.insert(fc.path);
    return {paths.begin(), paths.end()};
}

std::string FontConfigEnvironment()
{
    std::string values;
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "FC_LANG", "HOME",
                             "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "LC_ALL", "LC_CTYPE", "LANG"})
        values += std::string(name) + Variable(name) + '\n';
    char text[17];
    snprintf(text, sizeof text, "%016zx", std::hash<std::string>{}(values));
    return text;
}

void ReleaseFontConfig()
{
    if (g_loaded)
        TheLibrary().Release();
}

}  // namespace host::gdi
