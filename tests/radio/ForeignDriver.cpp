// A driver library that is not the program's own: it exports the 22 functions, but none of
// them ever makes a stick object or reaches a stick. Tests plant it where the loader looks.

#include "uTrx.h"

extern "C" {

uTrxHandle uTrx_create(void) {
    return nullptr;
}
void uTrx_destroy(uTrxHandle) {}
uTrxBool uTrx_Find(uTrxHandle, uint16_t, uint16_t, uint32_t) {
    return 0;
}
uTrxBool uTrx_SetTX(uTrxHandle) {
    return 0;
}
uTrxBool uTrx_SetRX(uTrxHandle) {
    return 0;
}
uTrxBool uTrx_SetState(uTrxHandle, uint8_t) {
    return 0;
}
uTrxBool uTrx_SetFrame(uTrxHandle, const uint8_t*, uint32_t) {
    return 0;
}
uTrxBool uTrx_GetFrame(uTrxHandle, uint8_t*, uint32_t*) {
    return 0;
}
uTrxBool uTrx_WriteReg(uTrxHandle, uint8_t, uint8_t) {
    return 0;
}
uTrxBool uTrx_ReadReg(uTrxHandle, uint8_t, uint16_t*) {
    return 0;
}
uTrxBool uTrx_ReadReg16(uTrxHandle, uint8_t, uint16_t*) {
    return 0;
}
uTrxBool uTrx_GetReport(uTrxHandle, uint8_t, uint8_t*) {
    return 0;
}
uTrxBool uTrx_SetPreamblePattern(uTrxHandle, uint8_t) {
    return 0;
}
uTrxBool uTrx_Execute(uTrxHandle, uint8_t) {
    return 0;
}
uTrxBool uTrx_EraseConfigFlash(uTrxHandle) {
    return 0;
}
uTrxBool uTrx_WriteConfigFlash(uTrxHandle, uint16_t, uint16_t, const uint8_t*) {
    return 0;
}
uTrxBool uTrx_ReadConfigFlash(uTrxHandle, uint16_t, uint16_t, uint8_t*) {
    return 0;
}
uTrxBool uTrx_EraseDataFlash(uTrxHandle) {
    return 0;
}
uTrxBool uTrx_WriteDataFlash(uTrxHandle, uint16_t, uint16_t, const uint8_t*) {
    return 0;
}
uTrxBool uTrx_ReadDataFlash(uTrxHandle, uint16_t, uint16_t, uint8_t*) {
    return 0;
}
uTrxBool uTrx_GetState(uTrxHandle, uint8_t*) {
    return 0;
}
uTrxBool uTrx_GetRevInfo(uTrxHandle, uint8_t*) {
    return 0;
}

} // extern "C"
