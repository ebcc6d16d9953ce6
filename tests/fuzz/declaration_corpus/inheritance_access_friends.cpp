struct V { int v; };
class B : virtual public V { friend class D; friend class TestB; int secret; protected: int shared; public: int open; void f(int); void f(double); };
class C { public: int c; };
class D : private B, protected C, public virtual V {
public:
    B::open;
    B::missing;
    C::c;
    struct In { int a; union { int i; float x; }; };
    enum E { one, two };
    typedef int T;
    unsigned bits : 3;
    static int count;
    virtual void draw() const = 0;
    D(int n); ~D();
    D& operator=(const D&); int operator[](int) const; bool operator<(const D&) const;
    friend int peek(D& d);
    friend class Other;
};
union U : B { int u; };
struct S; struct S : S { int s; };
namespace N { class A { friend class F; int x; }; }
int peek(D& d) { return 0; }
int D::count = 1;
