// Linked with one library whole and nothing above it: the link fails when the library
// needs code of a layer above its own.
int main() { return 0; }
