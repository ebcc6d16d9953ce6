template <class T> class Bad { T x; int ; public: T f( };
Bad<int> b1;
template <class T> class Open { T x; int y[ };
Open<char> o;
template <class T, int N = 3> struct Vec { T data[N]; Vec<T, N> *self; };
Vec<double> vd;
Vec<int, 7> vi;
int tail;
