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

// Header and line table of each kind of sales document, in pairs, with the
// kind's name as the sale screen's kind selector writes it (empty for the
// request for quotation, which no selector offers).
struct ParDocumento {
  QString tipo;
  QString encabezado;
  QString partidas;
  db::CarpetaTabla carpeta;
};
QVector<ParDocumento> ParesDocumentoVenta();
// The pair of a kind name ("Remisión", "Caja Chica" ...); nullptr when no
// pair has that name.
const ParDocumento* ParDeTipo(const QString& tipo);

void RegistraTablasVenta(db::Catalogo& catalogo);
