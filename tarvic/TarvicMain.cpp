// Entry point of the central station.
#include "tarvic/app/CTarvicIIApp.h"

namespace {

CTarvicIIApp theApp;

} // namespace

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}
