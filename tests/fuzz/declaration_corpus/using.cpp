using namespace std;
using ::exception;
using a::b
