namespace geo {
class Shape {
public:
    Shape();
    Shape(int sides, double size = 1.0);
    virtual ~Shape();
    virtual double area() const = 0;
    int sides() const { return sides_; }
    static int count;
    Shape& operator=(const Shape& other);
    bool operator==(const Shape& o) const;
    operator int() const;
protected:
    int sides_;
private:
    double size_;
    friend class Tester;
};
class Square : public Shape {
public:
    Square(double s) : Shape(4, s), side(s) { }
    double area() const { return side * side; }
private:
    double side;
};
struct Point { int x, y; };
}
using namespace geo;
using geo::Point;
int Shape::count = 0;
Shape::Shape() : sides_(0), size_(0) {}
double total(const Shape* shapes[], int n);
template <class T> class Stack { T items[10]; int top; public: void push(T x) { items[top++] = x; } };
template <class T> T maximum(T a, T b) { return a > b ? a : b; }
template <typename K, typename V = int> struct Pair;
Stack<int> ints;
std::vector<int> v;
enum class Color { Red, Green };
