// Stand-in until the start-up can be built.
int main() { return 0; }
