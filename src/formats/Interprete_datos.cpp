// Texts a format takes from outside its two datasets: sections of the
// document's electronic-invoice data file (txt, lee), lines of a label
// template (eti, dto), the observation lines of the document or catalogue
// entry (com), values looked up by SQL (sql, vsq), and the name of the user
// who prints (usu, con; FijaUsuarioImpresion).
//
//   <line 74 folder>\DAT\<document>-<name>-<control>.dat   sections "*<key>"
//   <program folder>\eti\<CLDOC_F>.eti                     items "a,b,..."
//   <header's folder>\factuobs.dbf                         CLDOC_FO, TIDOC_FO, OBSER_FO
//
// Side files are read as Windows-1252, or as UTF-8 for the lines that are
// valid UTF-8, so files written by other programs or on Linux read the same.

#include "formats/CarpetaFormato.h"
#include "formats/Interprete.h"
#include "formats/Interprete_estado.h"
#include "foundation/observa.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_texto.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "shell/LugarTablas.h"

#include <algorithm>

namespace {

constexpr int kLargoUsuario = 60;

bool ConEstilo(const QString& estilo) { return !estilo.isEmpty() && estilo != u"e"; }

db::Dataset& Encabezado() {
  db::Dataset* datos = EstadoActual().EncabezadoDatos;
  if (!datos || !datos->Active()) {
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("El formato no tiene datos de encabezado"));
  }
  return *datos;
}

db::Dataset& DatosDeLinea(const LineaFormato& l) {
  if (!l.datos || !l.datos->Active()) {
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("La linea no tiene datos"));
  }
  return *l.datos;
}

// The owner of a table's observations: the key field of the header and the
// kind its rows carry.
struct Dueno {
  const char16_t* tabla;
  const char16_t* campo;
  const char16_t* tipo;
};

constexpr Dueno kDuenos[] = {
    {u"facturae.dbf", u"cldoc_f", u"Factura"}, {u"comprase.dbf", u"cldoc_o", u"Recepción"},
    {u"inventar.dbf", u"clpro_i", u"IN"},      {u"cliente.dbf", u"clcli_c", u"CL"},
    {u"proveedo.dbf", u"clave_p", u"PR"},      {u"vendedor.dbf", u"clven_v", u"VE"},
};

const Dueno* DuenoDe(const db::Dataset& datos) {
  // A table named without its extension is the .dbf file.
  QString nombre = fs::NombreArchivo(datos.NombreTabla()).toLower();
  if (!nombre.isEmpty() && !nombre.contains(u'.')) nombre += QStringLiteral(".dbf");
  for (const Dueno& d : kDuenos) {
    if (nombre == QStringView(d.tabla)) return &d;
  }
  return nullptr;
}

template <class F>
void EnSilencio(F&& orden) {
  try {
    orden();
  } catch (const std::exception&) {
  }
}

void ColocaRelativo(const LineaFormato& l, const QString& texto) {
  const EstadoFormato& e = EstadoActual();
  const int x = ColumnaDispositivo(NumeroArgumento(l.Token(2)));
  const double y = RenglonRelativo(NumeroArgumento(l.Token(3)), l.renglon);
  ColocaTexto(x, texto, QString(), y, e.TamanoFuente, e.NombreFuente, l.contexto);
}

// eti and dto: item n of a line of the template named by the line's CLDOC_F.
void ColocaEtiqueta(const LineaFormato& l, int n) {
  const QString nombre = DatosDeLinea(l).FieldByName(QStringLiteral("CLDOC_F")).AsString();
  QString texto;
  LeeEtiqueta(nombre, n, EnteroArgumento(l.Token(4)), l.Token(5), texto);
  ColocaRelativo(l, texto);
}

QString ClaveDeLinea(const LineaFormato& l, const QString& campo) {
  return DatosDeLinea(l).FieldByName(campo).AsString();
}

}  // namespace

void FijaEstiloLetra(const QString& palabra) {
  const QString p = MinusculasAZ(palabra);
  const bool cursiva = p == u"cursiva", subrayada = p == u"subrayada", negrita = p == u"negrita";
  if (!cursiva && !subrayada && !negrita && p != u"normal") return;
  print::Fuente& fuente = print::Impresora::Global().lienzo().fuente();
  fuente.cursiva = cursiva;
  fuente.subrayada = subrayada;
  fuente.negrita = negrita;
}

QString NombreArchivoDocumento(const QString& documento) {
  db::Dataset& e = Encabezado();
  const QString nombre = LimpiaNombreArchivo(e.FieldByName(QStringLiteral("NOMBR_F")).AsString()).left(25);
  return documento + u'-' + nombre + u'-' + e.FieldByName(QStringLiteral("CONTROL")).AsString();
}

QString SeccionDatosDocumento(const QString& interruptor, const QString& clave, const QString& estilo) {
  if (!interruptor.isEmpty() && ConEstilo(estilo)) FijaEstiloLetra(estilo);
  const QString carpeta = EstadoActual().CarpetaFacturaElectronica;
  const QString documento = Encabezado().FieldByName(QStringLiteral("CLDOC_F")).AsString();
  const QString archivo = NombreArchivoDocumento(documento) + QStringLiteral(".dat");
  if (carpeta.isEmpty()) return QString();
  const QString ruta = fs::Une(fs::Une(carpeta, QStringLiteral("DAT")), archivo);
  if (!fs::ExisteArchivo(ruta)) return QString();
  const QStringList lineas = fs::LeeLineasCp1252OUtf8(ruta);
  qsizetype i = lineas.indexOf(u'*' + clave);
  if (i < 0) return QString();
  QString seccion;
  for (++i; i < lineas.size() && !lineas[i].startsWith(u'*'); ++i) seccion += lineas[i];
  return seccion;
}

void LeeEtiqueta(const QString& nombre, int n, int k, const QString& estilo, QString& salida) {
  EnSilencio([&] {
    const QString ruta = RutaTrabajoFormato(QStringLiteral("eti\\") + nombre + QStringLiteral(".eti"));
    if (!fs::ExisteArchivo(ruta)) return;
    const QStringList lineas = fs::LeeLineasCp1252OUtf8(ruta);
    // The last of the first k lines (fewer when the file ends).
    const qsizetype leidas = std::min<qsizetype>(std::max(k, 0), lineas.size());
    const QString linea = leidas > 0 ? lineas[leidas - 1] : QString();
    if (ConEstilo(estilo)) FijaEstiloLetra(estilo);
    ElementoComa(linea, n, salida);
  });
}

void ImprimeObservaciones(const QString& clave, const QString& tipo, int x, int y, int tamano, const QString& fuente) {
  const EstadoFormato& e = EstadoActual();
  db::Tabla tabla;
  ApuntaTabla(tabla, kTablaObservaciones);
  tabla.SetReadOnly(true);
  tabla.SetIndexName(QStringLiteral("CLDOC_FO"));
  tabla.Open();
  tabla.SetRange({clave}, {clave});
  tabla.SetFilter(QStringLiteral("TIDOC_FO=") + db::LiteralApostrofos(tipo.left(2)));
  tabla.SetFiltered(true);
  int i = 0;
  for (tabla.First(); !tabla.Eof(); tabla.Next(), ++i) {
    ColocaTexto(Trunca(e.UnidadHorizontal) * x, tabla.FieldByName(QStringLiteral("OBSER_FO")).AsString(), QString(),
                Trunca(e.UnidadVertical) * static_cast<double>(y + i), tamano, fuente, u'e');
  }
}

QString ValorConsultaSQL(const QString& campos, const QString& tabla, const QString& condicion, const QString& clave) {
  // The key is a literal of its own: it can neither end it nor change the
  // statement.
  db::Consulta consulta;
  consulta.SetSQL(QStringLiteral("Select ") + campos + QStringLiteral(" from ") +
                  TablaSQL(tabla + QStringLiteral(".dbf")) + QStringLiteral(" where ") + condicion +
                  db::LiteralComillas(clave));
  consulta.Open();
  const QString valor = consulta.IsEmpty() ? QString() : consulta.Fields(0).AsString();
  consulta.Close();
  return valor;
}

void FijaUsuarioImpresion(const QString& usuario) {
  EstadoFormato& e = EstadoActual();
  if (usuario == u"-1") {
    e.UsuarioImpresion.clear();
    return;
  }
  // The first user who prints gives the name until it is cleared.
  if (!e.UsuarioImpresion.isEmpty()) return;
  QString carpeta, nombre;
  CarpetaLocal(carpeta);
  LeeNombreUsuario(usuario, carpeta, nombre);
  for (QChar& c : nombre) c = Mayuscula(c);
  e.UsuarioImpresion = nombre.left(kLargoUsuario);
}

void ComandoUsuario(const LineaFormato& l) {
  const EstadoFormato& e = EstadoActual();
  const int x = ColumnaDispositivo(NumeroArgumento(l.Token(2)));
  const int y = RenglonFijo(NumeroArgumento(l.Token(3)), l.renglon);
  ColocaTexto(x, e.UsuarioImpresion, QString(), y, e.TamanoFuente, e.NombreFuente, l.contexto);
}

void ComandoSeccion(const LineaFormato& l) {
  ColocaRelativo(l, SeccionDatosDocumento(l.Token(6), l.Token(4), l.Token(5)));
}

void ComandoLeeSeccion(const LineaFormato& l) {
  try {
    const QString seccion = SeccionDatosDocumento(l.Token(6), l.Token(4), l.Token(5));
    EjecutaAsignacionFormato(QStringLiteral("cadena9=") + seccion, l.datos);
  } catch (const std::exception&) {
    ReportaErrorDeLinea(l.texto);
  }
}

void ComandoEtiqueta(const LineaFormato& l) { ColocaEtiqueta(l, 1); }

void ComandoDatoEtiqueta(const LineaFormato& l) { ColocaEtiqueta(l, 2); }

void ComandoObservaciones(const LineaFormato& l) {
  EnSilencio([&] {
    db::Dataset& encabezado = Encabezado();
    const Dueno* dueno = DuenoDe(encabezado);
    if (!dueno) return;
    const QString clave = encabezado.FieldByName(QString::fromUtf16(dueno->campo)).AsString();
    const EstadoFormato& e = EstadoActual();
    ImprimeObservaciones(clave, QString::fromUtf16(dueno->tipo), EnteroArgumento(l.Token(2)),
                         EnteroArgumento(l.Token(3)), e.TamanoFuente, e.NombreFuente);
  });
}

void ComandoSQL(const LineaFormato& l) {
  EnSilencio([&] {
    const QString valor = ValorConsultaSQL(l.Token(4), l.Token(5), l.Token(6), ClaveDeLinea(l, l.Token(7)));
    ColocaRelativo(l, valor);
  });
}

void ComandoVariableSQL(const LineaFormato& l) {
  EnSilencio([&] {
    const QString destino = l.Token(8);
    QString valor = ValorConsultaSQL(l.Token(4), l.Token(5), l.Token(6), ClaveDeLinea(l, l.Token(7)));
    if (destino.startsWith(u"var") && valor.isEmpty()) valor = QStringLiteral("0");
    switch (TipoVariable(destino)) {
      case 1: FijaVariable(destino, NumeroArgumento(valor)); break;
      case 2: FijaCadena(destino, valor); break;
      default: break;
    }
  });
}
