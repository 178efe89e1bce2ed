// The key conversion of the general configuration window: the customer and
// supplier keys made numbers or texts to follow the automatic numbering
// boxes. Its button "Consecutivos" is never shown.

#include "shell/General.h"

#include "foundation/adminis.h"
#include "foundation/dialogos.h"
#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/db/Tabla.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/TablaNueva.h"

#include <QCheckBox>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <memory>

namespace {

constexpr int kAnchoClave = 10;

[[noreturn]] void Rechaza(const QString& detalle, const QString& archivo) {
  throw plat::Error(plat::Clase::Conversion,
                    detalle + QStringLiteral(" en ") + archivo + QStringLiteral(": las claves no se convirtieron"));
}

// The key of the current row in the new type; a blank key stays blank.
// `vistas` gathers the keys already converted, so that two keys never
// become one.
QVariant ClaveConvertida(const db::Campo& clave, bool numerica, const QString& archivo,
                         QHash<QString, QString>& vistas) {
  if (clave.IsNull()) return {};
  const QString texto = clave.AsString().trimmed();
  QVariant valor;
  if (numerica) {
    static const QRegularExpression kEntero(QStringLiteral("^[+-]?[0-9]+$"));
    bool numero = false;
    const qint64 n = texto.toLongLong(&numero);
    if (!kEntero.match(texto).hasMatch() || !numero || QString::number(n).size() > kAnchoClave)
      Rechaza(QStringLiteral("La clave \"%1\" no es un número entero de hasta %2 cifras").arg(texto).arg(kAnchoClave),
              archivo);
    valor = n;
  } else {
    if (texto.size() > kAnchoClave)
      Rechaza(QStringLiteral("La clave \"%1\" tiene más de %2 caracteres").arg(texto).arg(kAnchoClave), archivo);
    valor = texto;
  }
  const QString nueva = valor.toString();
  const auto otra = vistas.constFind(nueva);
  if (otra != vistas.cend() && *otra != texto)
    Rechaza(QStringLiteral("Las claves \"%1\" y \"%2\" serían la misma").arg(*otra, texto), archivo);
  vistas.insert(nueva, texto);
  return valor;
}

}  // namespace

void ConvierteClavesCatalogo(const QString& carpeta, const QString& archivo, const QString& campo, const QString& tag,
                             bool numerica) {
  db::Tabla vieja;
  vieja.SetCarpeta(carpeta);
  vieja.SetNombreTabla(archivo);
  vieja.SetExclusive(true);
  vieja.Open();
  const int i = vieja.FieldByName(campo).Indice();
  QVector<db::DefCampo> campos = vieja.Definiciones();
  const db::DefCampo nueva{campos[i].nombre, numerica ? u'N' : u'C', kAnchoClave, 0};

  QVector<db::DefTag> tags = vieja.IndexDefs();
  const bool tieneTag = std::any_of(tags.cbegin(), tags.cend(), [&tag](const db::DefTag& t) {
    return t.nombre.compare(tag, Qt::CaseInsensitive) == 0;
  });
  if (!tieneTag) tags.append({tag.toUpper(), nueva.nombre, false, false});
  if (campos[i].tipo.toUpper() == nueva.tipo && campos[i].ancho == nueva.ancho && campos[i].decimales == 0) {
    if (!tieneTag) vieja.AddIndex(tags.last());
    return;
  }

  // Every key is converted before anything is written; the table stays held
  // until the new one is complete.
  QVector<QVector<QVariant>> filas;
  QHash<QString, QString> vistas;
  for (vieja.First(); !vieja.Eof(); vieja.Next()) {
    QVector<QVariant> fila;
    for (int j = 0; j < vieja.FieldCount(); ++j)
      fila << (j == i ? ClaveConvertida(vieja.Fields(j), numerica, archivo, vistas) : vieja.Fields(j).Value());
    filas << fila;
  }
  campos[i] = nueva;
  TablaNueva convertida(carpeta, archivo, campos, tags);
  db::Tabla& t = convertida.Tabla();
  for (const QVector<QVariant>& fila : filas) {
    t.Append();
    for (int j = 0; j < fila.size(); ++j) t.Fields(j).SetValue(fila[j]);
    t.Post();
  }
  vieja.Close();
  convertida.Coloca();
}

void TFormaConfiguracionGeneral::SpeedButton2Click() {
  MuestraMensaje(kAvisoConsecutivos);
  // The password prompt of the opener, or one of its own when the window was
  // opened otherwise.
  std::unique_ptr<TFormaAdministrador> propia;
  TFormaAdministrador* prompt = FormaAdministrador();
  if (!prompt) {
    propia = std::make_unique<TFormaAdministrador>();
    prompt = propia.get();
  }
  prompt->SetTag(0);
  prompt->ShowModal();
  if (prompt->Tag() != 1) return;

  struct Catalogo {
    const char* archivo;
    const char* campo;
    const char* tag;
    LineaConfig linea;
  };
  const Catalogo catalogos[] = {{"cliente.dbf", "CLCLI_C", "ICLACLI", ConfConsecutivoClientes},
                                {"proveedo.dbf", "CLAVE_P", "ICLAPRO", ConfConsecutivoProveedores}};
  // A catalogue that cannot be converted is told and the next one goes on.
  for (const Catalogo& c : catalogos) {
    try {
      const QString archivo = QString::fromLatin1(c.archivo);
      ConvierteClavesCatalogo(CarpetaDeTabla(archivo), archivo, QString::fromLatin1(c.campo),
                              QString::fromLatin1(c.tag), static_cast<QCheckBox*>(ControlDeLinea(c.linea))->isChecked());
    } catch (const plat::Error& e) {
      MuestraMensaje(e.mensaje());
    }
  }
}
