#include "display/pictures.h"

// Placeholder until the pictures load: every copy fails and draws nothing.
void loadPictures(DisplayContext*) {}
IDirectDrawSurface* loadPicture(const char*, DisplayContext*) { return nullptr; }
HRESULT copyBitmapToSurface(IDirectDrawSurface*, HBITMAP, int, int, int, int) { return E_FAIL; }
void releasePictures() {}
HRESULT copyPicture(int, DisplayContext*) { return E_FAIL; }
HRESULT copyPictureKeyed(int, DisplayContext*) { return E_FAIL; }
HRESULT copyPictureRectKeyed(int, RECT*, RECT*, DisplayContext*) { return E_FAIL; }
void showPictureOnBothBuffers(int, DisplayContext*) {}
