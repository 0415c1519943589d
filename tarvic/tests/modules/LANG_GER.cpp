// A small German language module for the central station's tests: the exit question and the
// message-box caption in German; every other id stays English.
#include "platform/core/ResourceModule.h"

namespace {

const platform::StringEntry kStrings[] = {
    {12083, "Programm beenden?"},    // "Exit Program?"
    {12408, "Tarvic II (Deutsch)"},  // the station's caption
    {57344, "Zentrale Überwachung"}, // the main window's title, which English lacks
};

platform::ResourceModuleRegistration s_module("LANG_GER", {.strings = kStrings},
                                              platform::ModuleKind::Language);

} // namespace
