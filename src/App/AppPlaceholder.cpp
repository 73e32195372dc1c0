// Keeps the library non-empty until its first class lands; removed then.
namespace orvel::app {
int AppLibraryVersion() { return 1; }
}  // namespace orvel::app
