// Entry point of the central station.
#include <cstdio>

int main()
{
    std::puts("TarvicII: the central station is not built yet.");
    return 0;
}
