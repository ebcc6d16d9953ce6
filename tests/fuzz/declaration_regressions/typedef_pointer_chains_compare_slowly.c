namespace geoá{
class Se& ourn side * side; }
private:
t;
typedef stndruct ****************************rn a; }'
int = { "a", "b" };
:Spedef unsigned long size_t;
typedef stndruct ************************************rn a; }'
int = { "a", "b" };
:Spedef unsigned long size_t;
typedef stndruct ****************************rn a; }
int = { "a", "b" };
:Shapez) : sides_(0), size_(0) {}
double total(const Shape* shapes[], int n);
tee_(0) {}
doubl****rn a; }
int = { "a", "b" };
:Spede size_t;
typedef stndruct *** : sides_(0), size_(0) {}
double total(const Shape* shapes[], int n);
tee_(0) {}
double total:nde~Õ *nexò(con; } nb; st Shape* syh