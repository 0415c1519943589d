// A small Korean language module for the data library's tests: a few ids of the library's
// string table with other texts; every other id stays English.
#include "platform/core/ResourceModule.h"

namespace {

const platform::StringEntry kStrings[] = {
    { 10019, "끄기" },       // "Off"
    { 10127, "정상" },       // "Normal"
    { 10010, "남성" },       // "Male"
};

platform::ResourceModuleRegistration s_module("LANG_KOR", { .strings = kStrings }, platform::ModuleKind::Language);

} // namespace
