int a; /* open comment
