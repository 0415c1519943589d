// Entry point of the review station: its application object and the framework's start.
#include "tarlux/app/CTarluxIIApp.h"

namespace {

tarlux::CTarluxIIApp s_theApp;

} // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
