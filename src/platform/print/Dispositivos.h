#pragma once
// The devices behind the printer object (internal to the print layer).

#include "platform/print/Impresora.h"

#include <QFont>
#include <QFontMetricsF>

#include <memory>

namespace print::detalle {

// The face drawn for a font name the system gives (Windows names).
QString FamiliaQt(const QString& nombre);
// The font as Qt draws it on a device of `ppp` dots per inch: its height in
// dots is the point size scaled and rounded, as the printer's own drivers
// size a font.
QFont FuenteQt(const Fuente& fuente, int ppp);
QFontMetricsF Metricas(const Fuente& fuente, int ppp);

// The device of one job on printer `datos`. Throws plat::Error when the job
// cannot begin.
std::unique_ptr<Dispositivo> CreaDispositivo(const DatosImpresora& datos, int ppp, Papel papel,
                                             Orientacion orientacion, const QString& titulo);

// The page size in dots.
QSize TamanoPagina(Papel papel, Orientacion orientacion, int ppp);

}  // namespace print::detalle
