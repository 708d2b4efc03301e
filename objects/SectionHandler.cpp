#include "objects/SectionHandler.h"

#include "config/Diagnostics.h"

bool SectionHandler::ParseKey(const WCHAR*, UINT, bool)
{
    return true;
}

bool SectionHandler::ReportIgnoredLine(const WCHAR* line, const WCHAR* caption, bool showErrors)
{
    if (showErrors)
        ConfigMessageBox(nullptr, line, caption, MB_SETFOREGROUND | MB_ICONWARNING);
    return false;
}
