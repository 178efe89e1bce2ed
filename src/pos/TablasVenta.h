#pragma once
// Layouts of the sales document tables, the sale screen's capture table and
// the point-of-sale tables.

#include <QStringList>

#include "platform/db/Catalogo.h"

// The header shared by every kind of sales document (suffix _F, tag INUMENC).
db::DefTabla EsquemaEncabezadoDocumento(const QString& archivo, db::CarpetaTabla carpeta,
                                        db::OrigenTabla origen = db::OrigenTabla::Empresa);
// The line shared by every kind of sales document (suffix _FD, tag CLDOC_FD).
db::DefTabla EsquemaPartidaDocumento(const QString& archivo, db::CarpetaTabla carpeta,
                                     db::OrigenTabla origen = db::OrigenTabla::Empresa);
// The capture row of the sale screen (Paradox, program folder).
db::DefTabla EsquemaPartidaCaptura(const QString& archivo, db::OrigenTabla origen = db::OrigenTabla::Programa);

// Header and line table of each kind of sales document, in pairs.
struct ParDocumento {
  QString encabezado;
  QString partidas;
  db::CarpetaTabla carpeta;
};
QVector<ParDocumento> ParesDocumentoVenta();

void RegistraTablasVenta(db::Catalogo& catalogo);
