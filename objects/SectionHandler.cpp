#include "objects/SectionHandler.h"

bool SectionHandler::ParseKey(const WCHAR*, UINT, bool)
{
    return true;
}

bool SectionHandler::ReportIgnoredLine(const WCHAR* line, const WCHAR* caption, bool showErrors)
{
    if (showErrors)
        MessageBoxW(nullptr, line, caption, MB_SETFOREGROUND | MB_ICONWARNING);
    return false;
}
