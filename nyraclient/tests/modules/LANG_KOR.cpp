// A small Korean language module for the client library's tests: the network alarm text and one
// parameter name in Korean; every other id stays English.
#include "platform/core/ResourceModule.h"

namespace {

const platform::StringEntry kStrings[] = {
    { 10116, "심전도" },                        // "ECG"
    { 11001, "네트워크 연결이 끊어졌습니다!!!" }, // "Network Connection is broken!!!"
};

platform::ResourceModuleRegistration s_module("LANG_KOR", { .strings = kStrings }, platform::ModuleKind::Language);

} // namespace
