// Every export of Pixmill.dll, by the name its module definition gives it,
// as a symbol of this program: a jump through the address GetProcAddress
// returned for it, filled before main runs. A jump leaves the caller's stack
// as it was, so the DLL sees the caller's arguments and alignment.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#if defined(_WIN64)
#define PIXMILL_DLL_EXPORT(slot, name) \
    asm(".text\n.globl " name "\n" name ": jmp *pixmill_dll_procs+8*" #slot "(%rip)\n");
#else
#define PIXMILL_DLL_EXPORT(slot, name) \
    asm(".text\n.globl " name "\n" name ": jmp *pixmill_dll_procs+4*" #slot "\n");
#endif
#include "dll_exports.inc"
#undef PIXMILL_DLL_EXPORT

static const char* const kNames[] = {
#define PIXMILL_DLL_EXPORT(slot, name) name,
#include "dll_exports.inc"
#undef PIXMILL_DLL_EXPORT
};
constexpr size_t kCount = sizeof kNames / sizeof kNames[0];
extern "C" void* pixmill_dll_procs[kCount] asm("pixmill_dll_procs");
void* pixmill_dll_procs[kCount] = {};

namespace {

// A fault anywhere stops the program at once with its code and address,
// rather than waiting in a debugger.
LONG WINAPI stop(EXCEPTION_POINTERS* e)
{
    std::fprintf(stderr, "exception %08lx at %p\n", e->ExceptionRecord->ExceptionCode,
                 e->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ExitProcess(3);
}

// Pixmill.dll from the program's own folder, every name resolved, or the
// program stops naming what is missing.
struct Library {
    Library()
    {
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        SetUnhandledExceptionFilter(stop);
        const HMODULE dll = LoadLibraryA("Pixmill.dll");
        if (dll == nullptr) {
            std::fprintf(stderr, "cannot load Pixmill.dll (error %lu)\n", GetLastError());
            std::exit(2);
        }
        for (size_t i = 0; i < kCount; ++i) {
            pixmill_dll_procs[i] = reinterpret_cast<void*>(GetProcAddress(dll, kNames[i]));
            if (pixmill_dll_procs[i] == nullptr) {
                std::fprintf(stderr, "Pixmill.dll exports no %s\n", kNames[i]);
                std::exit(2);
            }
        }
    }
} library;

}  // namespace
