// Vestra demo host.
#include <Vestra.h>

#include <cstdio>

int main()
{
    std::printf("Vestra demo\n");
    return 0;
}
