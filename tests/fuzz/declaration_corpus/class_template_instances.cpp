template <class T> class Box { public: T v; T get() const; Box(T x); ~Box(); Box<T>* next; };
template <class K, class V = K*> struct Pair { K k; V v; };
template <int N, class T = char> class Arr { T items[N]; public: int size() const; };
template <class T> class Derived : public Box<T> { public: int extra; };
template <class T> T maximum(T a, T b) { return a > b ? a : b; }
template <class T> T Box<T>::get() const { return v; }
template <class A, class B> struct Two { A a; B b; };
template <class T> struct Grow { Grow<T*> deeper; };
template <class T> struct Self { Self<T> *me; T t; };
namespace N { template <class T> struct In { T x; }; }
struct S { template <class U> void put(U u); int x; };
template <> class Box<char> { int special; };
Box<int> bi;
Pair<int> p;
Pair<Pair<char> > pp;
Arr<4> a4;
Derived<long> dl;
Two<int> broken;
Grow<int> g;
Self<Self<int> > ss;
Box<> none;
Box<Box<Box<int>>> deep;
int after;
