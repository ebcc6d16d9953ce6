namespace n { int a; }
using namespace n;
int b;
using