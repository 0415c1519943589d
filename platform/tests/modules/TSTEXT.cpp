// A small extension library for the tests: it joins the chain of modules when it is loaded, after
// the test program, and shares one id with the program's table.
#include "platform/core/ResourceModule.h"

namespace {

const platform::StringEntry kStrings[] = {
    { 2, "The extension's second text" },
    { 5, "Only in the extension" },
};

platform::ResourceModuleRegistration s_module("TSTEXT", { .strings = kStrings });

} // namespace
