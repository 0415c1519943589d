// The English texts both stations share, registered once per program.
#include "appcommon/StationStrings.h"

namespace appcommon {
namespace {

constexpr platform::StringEntry kStrings[] = {
    {IDS_REGISTRATION_DATE, "Registration Date"},
    {IDS_SEARCH, "Search"},
    {IDS_BIRTHDAY, "Birthday"},
    {IDS_EDC, "EDC"},
    {IDS_DOCTOR, "Doctor"},
    {IDS_NURSE, "Nurse"},
    {IDS_LMP, "LMP"},
    {IDS_GR, "GR"},
    {IDS_PA, "PA"},
    {IDS_HEIGHT, "Height"},
    {IDS_WEIGHT, "Weight"},
    {IDS_EDIT_DATE, "Edit Date"},
    {IDS_COMMENT, "Comment"},
    {IDS_SAVE, "Save"},
    {IDS_CANCEL, "Cancel"},
    {IDS_ALL, "All"},
    {IDS_EDIT, "Edit"},
    {IDS_SELECT_DATA_FOLDER, "Select data directory"},
    {IDS_SYSTEM, "System"},
    {IDS_DATABASE_NOT_FOUND, "Database is not Found !! \nCheck Database path..."},
    {IDS_SAVE_CONFIGURATION, "Save Configuration."},
    {IDS_CONFIG_HEADING, "Setting up of Initial data of the program and environment."},
    {IDS_CONFIGURATION_SETTING, "Configuration Setting"},
    {IDS_DEFAULT, "Default"},
    {IDS_COLOR_SKIN, "Color Skin"},
    {IDS_GRAPH, "Graph"},
    {IDS_GRAPH_BACKGROUND, "Graph Background"},
    {IDS_GRAPH_TEXT, "Graph Text"},
    {IDS_GRID, "Grid"},
    {IDS_OUTER_GRID, "Outer Grid"},
    {IDS_INNER_GRID, "Inner Grid"},
    {IDS_OUTER_STYLE, "Outer Style"},
    {IDS_INNER_STYLE, "Inner Style"},
    {IDS_EVENT, "Event"},
    {IDS_MARKER, "Marker"},
    {IDS_STIMULATOR, "Stimulator"},
    {IDS_ECG_GAIN, "ECG Gain"},
    {IDS_FECG_GAIN, "FECG Gain"},
    {IDS_TREND_SPEED, "Trend Speed"},
    {IDS_SW_VERSION, "S/W Version"},
    {IDS_LANGUAGE, "Language"},
    {IDS_DATA_PATH, "Data Path"},
    {IDS_EMR_SETTING, "EMR Setting"},
    {IDS_PROGRAM_PATH, "Program Path"},
    {IDS_IMAGE_TYPE, "Image Type"},
    {IDS_OK, "OK"},
    {IDS_PRINT, "Print"},
    {IDS_PRINT_RANGE, "Print Range"},
    {IDS_PRINT_COVER_PAGE, "Print Cover Page"},
    {IDS_PRINT_TREND, "Print Trend"},
    {IDS_SELECT_RANGE, "Select Range"},
    {IDS_START_TIME, "Start Time"},
    {IDS_END_TIME, "End Time"},
    {IDS_OPTION, "Option"},
    {IDS_TREND_VISIBLE_SETTING, "Trend Visible Setting"},
    {IDS_PATIENT_INFORMATION, "Patient Information"},
    {IDS_DISPLAY_INFORMATION, "Display Information"},
    {IDS_JPG_NOT_CREATED, "JPG image cannot be created!\nImage save path not correct!"},
    {IDS_FILE_SAVED, "File saved in following directory..."},
    {IDS_COLOR, "Color"},
    {IDS_DEFAULT_COLOR, "Default Color"},
    {IDS_PAPER_COLOR, "Paper Color"},
    {IDS_LOSS_OF_SIGNAL, "Loss of signal"},
    {IDS_PRINTED_INTERVAL, "Printed Interval"},
    {IDS_WEEKS, "Weeks"},
    {IDS_CENTER_GRID, "Center Grid"},
    {IDS_CENTER_STYLE, "Center Style"},
    {IDS_RECORD_INFORMATION, "Record Information"},
};

const platform::ResourceModuleRegistration s_strings("AppCommon", {.strings = kStrings});

} // namespace

std::span<const platform::StringEntry> StationStringTable() { return kStrings; }

void UseStationStrings() {}

} // namespace appcommon
