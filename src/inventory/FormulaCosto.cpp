#include "inventory/FormulaCosto.h"

#include "formats/Interprete.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Real6.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/LugarTablas.h"

namespace {

const QString kSeparadores = QStringLiteral("+-;*/%#=");
const char* const kCamposDescuento[] = {"DESC1_I", "DESC2_I", "DESC3_I"};

bool EsOperandoConPrefijo(const QString& palabra) {
  return palabra.size() > 2 && QStringLiteral("edi").contains(palabra[0]) && palabra[1] == u'.';
}

// The line assigns variable1 (the target before "=", in any case).
bool AsignaPrecio(const QString& linea) {
  const qsizetype igual = linea.indexOf(u'=');
  return igual > 0 && linea.left(igual).trimmed().compare(QStringLiteral("variable1"), Qt::CaseInsensitive) == 0;
}

}  // namespace

QStringList TraduceFormulaCosto(const QStringList& formula, const ValorOperandoFormula& valor) {
  QStringList resultado;
  for (const QString& linea : formula) {
    QString salida, palabra;
    for (QChar c : linea + u';') {
      if (!kSeparadores.contains(c)) {
        palabra += c;
        continue;
      }
      palabra = palabra.toLower();
      if (EsOperandoConPrefijo(palabra)) {
        palabra = valor(palabra[0], palabra.mid(2));
        if (palabra.isEmpty()) palabra = QStringLiteral("0");
      }
      salida += palabra;
      if (c != u';') salida += c;
      palabra.clear();
    }
    if (!salida.isEmpty()) resultado << salida;
  }
  return resultado;
}

double AplicaFormulaCosto(const QStringList& formula, QStringList& resultado, db::Dataset& producto) {
  return AplicaFormulaCosto(formula, resultado, producto, [&producto](QChar, const QString& campo) {
    return producto.FieldByName(campo).AsString();
  });
}

double AplicaFormulaCosto(const QStringList& formula, QStringList& resultado, db::Dataset& registro,
                          const ValorOperandoFormula& valor) {
  resultado = TraduceFormulaCosto(formula, valor);
  bool asignado = false;
  for (const QString& linea : resultado) {
    if (linea.trimmed().isEmpty()) continue;
    EjecutaAsignacionFormato(linea, &registro);
    asignado = asignado || AsignaPrecio(linea);
  }
  if (!asignado) throw plat::Error(plat::Clase::NoExiste, QStringLiteral("La fórmula de costo no asigna variable1"));
  const QString texto = ValorVariableFormato(QStringLiteral("variable1"));
  double precio = 0;
  if (!LeeReal(texto, precio))
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor numérico válido").arg(texto));
  return fs::AjustaReal6(precio);
}

QString PrecioFormulaCosto(const QString& formula, QString& resultado, db::Dataset& producto) {
  QStringList lineas;
  const double precio = AplicaFormulaCosto(formula.split(u'\n'), lineas, producto);
  resultado = lineas.join(u'\n');
  return FormatoMascara(QStringLiteral("#####0.00"), precio);
}

void GuardaPrecioFormula(db::Dataset& producto, const QString& precio) {
  producto.Edit();
  producto.FieldByName(QStringLiteral("PPUBL_I")).SetAsString(precio);
  producto.Post();
}

std::optional<QStringList> LeeFormulaCosto(const QString& carpetaPrograma) {
  const QString archivo = fs::Une(carpetaPrograma, kArchivoFormulaCosto);
  if (!fs::ExisteArchivo(archivo)) return std::nullopt;
  return fs::LeeLineas(archivo);
}

std::optional<DescuentosProveedor> LeeDescuentosProveedor(const QString& carpetaDatos, const QString& clave) {
  db::Tabla proveedores;
  ApuntaTabla(proveedores, QStringLiteral("PROVEEDO.DBF"), db::Carpetas{carpetaDatos, {}, {}, {}});
  proveedores.SetIndexName(QStringLiteral("ICLAPRO"));
  proveedores.SetReadOnly(true);
  proveedores.Open();
  if (!proveedores.FindKey({clave})) return std::nullopt;
  DescuentosProveedor descuentos;
  for (int i = 0; i < 3; ++i) descuentos[i] = proveedores.FieldByName(QStringLiteral("DESC%1_P").arg(i + 1)).AsString();
  return descuentos;
}

void EscribeDescuentos(db::Dataset& producto, const DescuentosProveedor& descuentos) {
  for (int i = 0; i < 3; ++i) producto.FieldByName(QString::fromLatin1(kCamposDescuento[i])).SetAsString(descuentos[i]);
}
