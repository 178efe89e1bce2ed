#include "foundation/dialogos.h"

#include "platform/ui/PuertaModal.h"

void MuestraMensaje(const QString& texto) { ui::MensajeSimple(texto); }
