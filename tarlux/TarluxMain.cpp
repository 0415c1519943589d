// Entry point of the review station.
#include <cstdio>

int main()
{
    std::puts("TarluxII: the review station is not built yet.");
    return 0;
}
