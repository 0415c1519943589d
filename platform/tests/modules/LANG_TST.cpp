// A small language module for the tests: the same ids as the test program's English table, with
// other texts, and not every id (id 3 stays English). It registers itself when it is loaded.
#include "platform/core/ResourceModule.h"

namespace {

const platform::StringEntry kStrings[] = {
    { 1, "Bonjour à tous" },
    { 4, "Seulement dans le module de langue" },
};

platform::ResourceModuleRegistration s_module("LANG_TST", { .strings = kStrings }, platform::ModuleKind::Language);

} // namespace
