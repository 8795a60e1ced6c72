#pragma once

/* The stick driver library libuTrx.so: 22 plain C functions, in the order of the loader's entry
   table, and uTrx_FindStatus after them. Every function but uTrx_create takes the stick object
   first; every function but uTrx_create and uTrx_destroy returns a one-byte Boolean, non-zero for
   success. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(UTRX_BUILDING_LIBRARY)
#define UTRX_API __attribute__((visibility("default")))
#else
#define UTRX_API
#endif

typedef struct uTrxStick* uTrxHandle;
typedef uint8_t uTrxBool;

enum {
    uTrxMaxFrameLength = 270,
    uTrxMaxFlashTransfer = 512,
    uTrxStateLength = 2,
    uTrxRevInfoLength = 20,
    /* The most uTrx_GetReport copies: the bytes after the identifier of the longest report the
       stick's protocol has (the 273-byte frame report). The caller's buffer must hold this many;
       a longer input report is refused. */
    uTrxMaxInputData = 272
};

UTRX_API uTrxHandle uTrx_create(void);
UTRX_API void uTrx_destroy(uTrxHandle stick);
UTRX_API uTrxBool uTrx_Find(uTrxHandle stick, uint16_t vendorId, uint16_t productId,
                            uint32_t deviceIndex);
UTRX_API uTrxBool uTrx_SetTX(uTrxHandle stick);
UTRX_API uTrxBool uTrx_SetRX(uTrxHandle stick);
UTRX_API uTrxBool uTrx_SetState(uTrxHandle stick, uint8_t state);
UTRX_API uTrxBool uTrx_SetFrame(uTrxHandle stick, const uint8_t* frame, uint32_t length);
UTRX_API uTrxBool uTrx_GetFrame(uTrxHandle stick, uint8_t* buffer, uint32_t* length);
UTRX_API uTrxBool uTrx_WriteReg(uTrxHandle stick, uint8_t reg, uint8_t value);
UTRX_API uTrxBool uTrx_ReadReg(uTrxHandle stick, uint8_t reg, uint16_t* value);
UTRX_API uTrxBool uTrx_ReadReg16(uTrxHandle stick, uint8_t reg, uint16_t* value);
UTRX_API uTrxBool uTrx_GetReport(uTrxHandle stick, uint8_t reportId, uint8_t* buffer);
UTRX_API uTrxBool uTrx_SetPreamblePattern(uTrxHandle stick, uint8_t pattern);
UTRX_API uTrxBool uTrx_Execute(uTrxHandle stick, uint8_t command);
UTRX_API uTrxBool uTrx_EraseConfigFlash(uTrxHandle stick);
UTRX_API uTrxBool uTrx_WriteConfigFlash(uTrxHandle stick, uint16_t address, uint16_t length,
                                        const uint8_t* data);
UTRX_API uTrxBool uTrx_ReadConfigFlash(uTrxHandle stick, uint16_t address, uint16_t length,
                                       uint8_t* buffer);
UTRX_API uTrxBool uTrx_EraseDataFlash(uTrxHandle stick);
UTRX_API uTrxBool uTrx_WriteDataFlash(uTrxHandle stick, uint16_t address, uint16_t length,
                                      const uint8_t* data);
UTRX_API uTrxBool uTrx_ReadDataFlash(uTrxHandle stick, uint16_t address, uint16_t length,
                                     uint8_t* buffer);
UTRX_API uTrxBool uTrx_GetState(uTrxHandle stick, uint8_t* state);
UTRX_API uTrxBool uTrx_GetRevInfo(uTrxHandle stick, uint8_t* revInfo);

/* An addition to the 22 functions above, which keep their order and meaning: why the last
   uTrx_Find on this object opened no stick. A loader looks it up on its own and takes a library
   without it as one that gives no reason (uTrxFindNoStick). */
enum {
    uTrxFindOpened = 0,       /* the last search opened a stick */
    uTrxFindNoStick = 1,      /* no search yet, or no stick with these identifiers is listed */
    uTrxFindAccessDenied = 2, /* a stick is listed, but the user may not open it (no udev rule,
                                 not at the local seat) */
    uTrxFindOpenFailed = 3    /* a stick is listed, but opening it failed for another reason */
};
UTRX_API uint8_t uTrx_FindStatus(uTrxHandle stick);

#ifdef __cplusplus
}
#endif
