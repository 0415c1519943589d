// A small Korean language module for the review station's tests: its title and one message in
// other texts; every other id stays English.
#include "platform/core/ResourceModule.h"

namespace {

const platform::StringEntry kStrings[] = {
    { 502, "타룩스 II\n\n타룩스 II\n\n\nTarlux II.Document\nTarlux II Document" },
    { 12071, "데이터베이스를 찾을 수 없습니다 !! \n데이터베이스 경로를 확인하십시오..." },
};

platform::ResourceModuleRegistration s_module("LANG_KOR", { .strings = kStrings }, platform::ModuleKind::Language);

} // namespace
