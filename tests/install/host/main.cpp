// A separate host project built against the installed package.
#include <Vestra.h>

#include <cstdio>

int main()
{
    std::printf("host built against the installed Vestra package\n");
    return 0;
}
