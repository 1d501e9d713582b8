/* The binary interface between the client, the emulation modules and the
   function-key editor: 32-bit, natural alignment, cdecl, exported
   undecorated. Plain C so that every caller agrees on it. */
#ifndef KORVANE_MODULE_ABI_H
#define KORVANE_MODULE_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TermInfo {  /* filled by dll_Init; 20 bytes on i686 */
  const char *name;        /* terminal type name served */
  const char *termType;    /* TermType string */
  uint16_t rows, columns, statusLine, fontCharSet, flags;
} TermInfo;

enum {
  TERMINFO_LOG_UNRECOGNISED = 1, /* in: the client's event log is on */
  TERMINFO_DELAYED_WRAP = 2      /* out: the terminal defers the wrap */
};

typedef struct KeyEntry {  /* one key string; the table is 256 bucket heads */
  int32_t code;            /* modifier bits * 256 + virtual key; 0 = empty head */
  int32_t length;
  unsigned char *bytes;
  struct KeyEntry *next;
} KeyEntry;

enum { KEY_SHIFT = 0x100, KEY_CTRL = 0x200, KEY_TABLE_BUCKETS = 256, KEY_LIST_END = -5 };

/* Window and instance handles are HWND and HINSTANCE on Windows. */
typedef int (*DllInitFn)(void *window, void *instance, TermInfo *info, const char *name);
typedef void (*DllSubmitFn)(const unsigned char *bytes, int count);
typedef int (*DllKeyFn)(int keyCode);
typedef int (*DllPgmPfKeysFn)(int flag);
typedef int (*DllCustomFn)(const char *name);
typedef KeyEntry *(*CallFnEditDialogFn)(void *owner, const short *defaultKeys, const KeyEntry *table,
                                         const char *termSubKey, int sessionFlag);

#if defined(__i386__) || defined(_M_IX86)
#ifdef __cplusplus
static_assert(sizeof(TermInfo) == 20, "TermInfo is 20 bytes on i686");
static_assert(sizeof(KeyEntry) == 16, "KeyEntry is 16 bytes on i686");
#else
_Static_assert(sizeof(TermInfo) == 20, "TermInfo is 20 bytes on i686");
_Static_assert(sizeof(KeyEntry) == 16, "KeyEntry is 16 bytes on i686");
#endif
#endif

#ifdef __cplusplus
}
#endif

#endif
