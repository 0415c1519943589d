// A small resource module for the KTResource tests: a text the test program also has, a text
// of its own and a 3 x 2 red picture. It registers as a language module, so it is searched only
// when asked for by its handle.
#include "platform/core/ResourceModule.h"
#include "platform/ui/dialogs/DialogTemplate.h"

namespace {

const platform::StringEntry kStrings[] = {
    { 1, "Skin text" },
    { 3, "Only in the skin" },
};

const BYTE kRedPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0x12, 0x16, 0xf1,
    0x4d, 0x00, 0x00, 0x00, 0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0x00,
    0x41, 0x0c, 0x70, 0x16, 0x00, 0x41, 0xd2, 0x05, 0xfb, 0x87, 0xf0, 0xb9, 0x48, 0x00, 0x00, 0x00,
    0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82
};

const platform::ResourceData kData[] = {
    { "PNG", 100, nullptr, kRedPng },
};

const platform::DialogItem kSkinItems[] = {
    { "Button", "OK", 1, 0x00010000 /* WS_TABSTOP */, 10, 10, 40, 14 },
};
const platform::DialogTemplate kDialogs[] = {
    { 500, nullptr, 0x80C80000 /* WS_POPUP | WS_CAPTION | WS_SYSMENU */, 0, 0, 0, 120, 60, "Skin dialog", nullptr, 0,
      kSkinItems },
};
const platform::DialogTemplateTable kDialogTable { kDialogs };

platform::ResourceModuleRegistration s_module("KTRES_TST", { .strings = kStrings, .data = kData, .dialogs = &kDialogTable },
                                              platform::ModuleKind::Language);

} // namespace
