// The review station's English string table: its template string and title, the tool tips of
// its toolbar, and its messages. A language module replaces any of them under the same id.
#include "tarlux/res/TarluxResources.h"

#include "platform/core/ResourceModule.h"

namespace tarlux {
namespace {

const platform::StringEntry kStrings[] = {
    // The document template: the frame's title is its first field.
    { IDR_MAINFRAME, "Tarlux II\n\nTarlux II\n\n\nTarlux II.Document\nTarlux II Document" },
    { IDS_DATABASE_NOT_FOUND, "Database is not Found !! \nCheck Database path..." },
    { IDS_RECORD_FILE_NOT_OPENED, "Can not open Record File!!!" },
    // Toolbar commands: no status text, the tool tip after "\n".
    { ID_REVIEW_IMAGE, "\nExport Image" },
    { ID_REVIEW_EXIT, "\nExit Program" },
    { ID_REVIEW_SETTING, "\nConfiguration" },
    { ID_REVIEW_PRINT, "\nPrint" },
    { ID_REVIEW_PREVIEW, "\nPreview" },
};

const platform::ResourceModuleRegistration s_strings("TarluxII", { .strings = kStrings });

} // namespace
} // namespace tarlux
