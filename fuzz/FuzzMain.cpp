// One libFuzzer entry point for every target: the build names the body (FUZZ_BODY) and the
// header that holds it (FUZZ_HEADER); targets above the file library get a display-less
// QGuiApplication first (FUZZ_QT).
#include FUZZ_HEADER

#ifdef FUZZ_QT
#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FUZZ_BODY(data, size);
    return 0;
}
