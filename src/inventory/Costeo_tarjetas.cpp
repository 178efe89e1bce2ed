// The card builders and the counting routines of the stock card.

#include "foundation/advierte.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/Costeo.h"
#include "inventory/RegistroMovimiento.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/db/sql/Funciones.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QHash>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <exception>
#include <functional>
#include <memory>

namespace {

const QString kEspere = QStringLiteral("Espere un momento por Favor...");
const QString kMascaraTotales = QStringLiteral("###,##0.00");
constexpr qint64 kBaseConcepto = 111100;
constexpr int kUsuarios = 100;
constexpr int kUltimoUsuarioConNombre = 98;
constexpr int kAnchoNombreUsuario = 30;

enum class Disposicion { Integral, Movimientos, Costo, Alterno };

QString Variante(Disposicion d) {
  switch (d) {
    case Disposicion::Integral: return QStringLiteral("integral");
    case Disposicion::Movimientos: return QStringLiteral("movimientos");
    case Disposicion::Costo: return QStringLiteral("costo");
    case Disposicion::Alterno: break;
  }
  return QStringLiteral("alterno");
}

// The concept a document query encodes in CLDOC_F.
qint64 ConceptoDocumento(const db::Campo& cldoc) { return -cldoc.AsInteger() - kBaseConcepto; }

// The names of users 0 to 99 of the program folder's users file. A missing
// file is told once, by the first read.
std::array<QString, kUsuarios> NombresUsuarios() {
  QString programa;
  CarpetaLocal(programa);
  const bool hayArchivo = fs::ExisteArchivo(fs::Une(programa, QStringLiteral("usuarios.def")));
  std::array<QString, kUsuarios> nombres;
  for (int i = 0; i < kUsuarios; ++i) {
    QString nombre = kNoRegistrado;
    if (hayArchivo || i == 0) LeeNombreUsuario(QString::number(i), programa, nombre);
    nombres[i] = nombre.left(kAnchoNombreUsuario);
  }
  return nombres;
}

// NOMBRE of the alternate card: the user's name for numbers 0 to 98, the
// text itself when it is no number, else nothing.
QString NombreDeUsuario(const std::array<QString, kUsuarios>& nombres, const QString& usuario) {
  bool numero = false;
  const int n = usuario.trimmed().toInt(&numero);
  if (!numero) return usuario;
  return n >= 0 && n <= kUltimoUsuarioConNombre ? nombres[n] : QString();
}

// The query columns a card reads, found once; optional ones may be null.
struct Columnas {
  const db::Campo* clave = nullptr;
  const db::Campo* concepto = nullptr;  // TIMOV_MI, or CLDOC_F encoded
  const db::Campo* cantidad = nullptr;
  const db::Campo* documento = nullptr;
  const db::Campo* fecha = nullptr;
  const db::Campo* costo = nullptr;
  const db::Campo* descripcion = nullptr;
  const db::Campo* origen = nullptr;
  const db::Campo* existencia = nullptr;
  const db::Campo* referencia = nullptr;
  const db::Campo* cliProv = nullptr;
  const db::Campo* usuario = nullptr;

  Columnas(const db::Dataset& q, Disposicion d) {
    const auto requerida = [&q](const char* nombre) { return &q.FieldByName(QString::fromLatin1(nombre)); };
    if (d == Disposicion::Alterno) {
      clave = requerida("PRO");
      concepto = requerida("CLDOC_F");
      cantidad = requerida("CANTI_FD");
      documento = requerida("CLAVE");
      fecha = requerida("FECHA");
      origen = requerida("ORIGEN");
      referencia = requerida("REFE");
      cliProv = requerida("CLIPROV");
      usuario = requerida("USUARIO");
      return;
    }
    clave = requerida("CLPRO_MI");
    concepto = requerida("TIMOV_MI");
    cantidad = requerida("CANTI_MI");
    costo = requerida("COSUN_MI");
    documento = requerida("CLDOC_MI");
    fecha = requerida("FEDOC_MI");
    if (d == Disposicion::Integral) return;
    descripcion = requerida("DESCR_MI");
    if (d == Disposicion::Costo) return;
    origen = requerida("REFMO_MI");
    existencia = q.FindField(QStringLiteral("EXIST_MI"));
    referencia = q.FindField(QStringLiteral("REFE"));
  }

  qint64 Concepto(Disposicion d) const {
    return d == Disposicion::Alterno ? ConceptoDocumento(*concepto) : concepto->AsInteger();
  }
};

// One card being built: the concept names, the wait notice, the window with
// its table, and the running values.
class Tarjeta {
 public:
  Tarjeta(Disposicion d, const QString& existenciaActual, const QString& aviso) : d_(d) {
    ApuntaTabla(conceptos_, QStringLiteral("comovinv.dbf"));
    AbreTabla(conceptos_);
    if (conceptos_.Active()) {
      try {
        conceptos_.SetIndexName(QStringLiteral("ITIPMOV"));
      } catch (const std::exception&) {
        conceptos_.Close();
      }
    }
    if (!aviso.isEmpty()) {
      aviso_ = std::make_unique<TFormaAdvertencia>();
      aviso_->Label1->setText(aviso);
      aviso_->BitBtn1->hide();
      aviso_->BitBtn2->hide();
      aviso_->Show();
      aviso_->repaint();
    }
    forma_ = std::make_unique<TFormaCosteo>();
    forma_->Actuales->setText(existenciaActual);
    forma_->SetTag(0);
    forma_->CreaTarjeta(Variante(d));
  }

  ~Tarjeta() {
    if (forma_) {
      forma_->Detalle->hide();
      forma_->TablaSQLCosteo->Close();
    }
  }

  TFormaCosteo& Forma() { return *forma_; }

  // Runs the query and copies its rows into the card, then shows the totals.
  void Llena(const QString& sql) {
    db::Consulta& q = *forma_->TablaSQLCosteo;
    q.SetSQL(sql);
    q.Open();
    aviso_.reset();
    forma_->Detalle->show();
    const Columnas c(q, d_);
    if (d_ == Disposicion::Alterno) usuarios_ = NombresUsuarios();
    for (q.First(); !q.Eof(); q.Next()) {
      try {
        CopiaFila(c);
      } catch (const std::exception&) {
        // A row that cannot be copied is left out and counts nowhere.
        forma_->TablaNormal->Cancel();
      }
    }
    MuestraTotales();
  }

  // The card's rows in the grid and the totals under it.
  void MuestraTotales() {
    forma_->Detalle->show();
    forma_->Detalle->SetFuente(forma_->FuenteNormal);
    const auto total = [](double valor) { return FormatoImporte(kMascaraTotales, TextoCantidadKardex(valor)); };
    forma_->Panel2->SetCaption(QStringLiteral("   Entradas  ") + total(entradas_) + QStringLiteral("   Salidas  ") +
                               total(salidas_) + QStringLiteral("  Existencias  ") + total(Final()));
  }

  // Shows the card modally; true when the user pressed "Ajustar Inv.".
  bool Muestra() {
    forma_->SetTag(0);
    forma_->ShowModal();
    return forma_->Tag() == 100;
  }

  double Final() const { return entradas_ + salidas_; }
  double Entradas() const { return entradas_; }
  double Salidas() const { return salidas_; }
  double CostoCompras() const { return costoCompras_; }
  double CantidadCompras() const { return cantidadCompras_; }

 private:
  void CopiaFila(const Columnas& c) {
    db::Tabla& t = *forma_->TablaNormal;
    const qint64 concepto = c.Concepto(d_);
    const double cantidad = c.cantidad->AsFloat();
    const double q = EsEntrada(static_cast<int>(concepto)) ? cantidad : cantidad * -1;
    t.Append();
    Copia(t, "CLAVE", c.clave);
    Pon(t, "CANTIDAD", q);
    db::Campo& kardex = t.FieldByName(QStringLiteral("KARDEX"));
    kardex.SetAsFloat(Redondea(2, corrida_ + q));
    Pon(t, "MOVIMIENTO", static_cast<double>(concepto));
    if (d_ == Disposicion::Integral)
      Pon(t, "DOCUMENTO", TextoDocumentoKardex(c.documento->AsString()));
    else
      Copia(t, "DOCUMENTO", c.documento);
    Copia(t, "FECHA", c.fecha);
    Copia(t, "COSTO", c.costo);
    Copia(t, "DESCRIPCIO", c.descripcion);
    Copia(t, "ORIGEN", c.origen);
    Copia(t, "EXISTENCIA", c.existencia);
    Copia(t, "REFERENCIA", c.referencia);
    if (d_ == Disposicion::Alterno) {
      if (c.cliProv->AsString() != u"0") Copia(t, "CLIPROV", c.cliProv);
      Copia(t, "USUARIO", c.usuario);
      Pon(t, "NOMBRE", NombreDeUsuario(usuarios_, c.usuario->AsString()));
    }
    corrida_ = kardex.AsFloat();
    Pon(t, "DES_MOVIM", NombreConcepto(concepto));
    t.Post();

    const double anotada = t.FieldByName(QStringLiteral("CANTIDAD")).AsFloat();
    if (t.FieldByName(QStringLiteral("MOVIMIENTO")).AsFloat() > kUltimoConceptoSalida)
      entradas_ += anotada;
    else
      salidas_ += anotada;
    if (d_ == Disposicion::Costo && concepto == ConceptoCompra) {
      costoCompras_ += cantidad * c.costo->AsFloat();
      cantidadCompras_ += cantidad;
    }
  }

  // Sets a column of the card; a text is cut to the column's width, as the
  // card's narrow columns take longer descriptions, names and references.
  static void Pon(db::Tabla& t, const char* columna, const QVariant& valor) {
    db::Campo& campo = t.FieldByName(QString::fromLatin1(columna));
    if (campo.Tipo() == db::TipoDato::Texto && valor.typeId() == QMetaType::QString)
      campo.SetAsString(valor.toString().left(campo.Ancho()));
    else
      campo.SetValue(valor);
  }

  // The column takes the query's value as it is (null stays empty); nothing
  // when the query lacks the column.
  static void Copia(db::Tabla& t, const char* columna, const db::Campo* valor) {
    if (valor) Pon(t, columna, valor->Value());
  }

  QString NombreConcepto(qint64 concepto) {
    const auto hallado = nombres_.constFind(concepto);
    if (hallado != nombres_.cend()) return *hallado;
    QString nombre;
    if (conceptos_.Active() && conceptos_.FindKey({concepto}))
      nombre = conceptos_.FieldByName(QStringLiteral("DECON_CM")).AsString();
    nombres_.insert(concepto, nombre);
    return nombre;
  }

  Disposicion d_;
  db::Tabla conceptos_;
  QHash<qint64, QString> nombres_;
  std::array<QString, kUsuarios> usuarios_;
  std::unique_ptr<TFormaAdvertencia> aviso_;
  std::unique_ptr<TFormaCosteo> forma_;
  double corrida_ = 0;
  double entradas_ = 0;
  double salidas_ = 0;
  double costoCompras_ = 0;
  double cantidadCompras_ = 0;
};

// "stock,entries,exits," as the totals texts are split at their commas.
QString TextoTotales(double existencia, double entradas, double salidas) {
  return TextoCantidadKardex(existencia) + u',' + TextoCantidadKardex(entradas) + u',' +
         TextoCantidadKardex(salidas) + u',';
}

QString ConOrden(const QString& consulta, const QString& orden) { return consulta + u'\n' + orden; }

struct Recuento {
  double existencia = 0;
  double entradas = 0;
  double salidas = 0;  // positive
};

Recuento CuentaDocumentos(const QString& consulta) {
  db::Consulta q;
  q.SetSQL(consulta);
  q.Open();
  const db::Campo& cldoc = q.FieldByName(QStringLiteral("CLDOC_F"));
  const db::Campo& cantidad = q.FieldByName(QStringLiteral("CANTI_FD"));
  Recuento r;
  for (q.First(); !q.Eof(); q.Next()) {
    try {
      const qint64 concepto = ConceptoDocumento(cldoc);
      const double n = cantidad.AsFloat();
      if (EsEntrada(static_cast<int>(concepto))) {
        r.existencia += n;
        r.entradas += n;
      } else {
        r.existencia -= n;
        r.salidas += n;
      }
    } catch (const std::exception&) {
      // A row that cannot be read counts nowhere.
    }
  }
  return r;
}

}  // namespace

QString TextoCantidadKardex(double valor) { return db::sql::TextoDeNumero(valor == 0 ? 0.0 : valor); }

QString TextoDocumentoKardex(const QString& documento) {
  if (documento.size() < 2) return documento;
  return documento.left(1) + u'-' + (u'0' + documento.mid(1)).rightJustified(6, u'0');
}

QString MuestraKardexIntegral(const QString& consulta, const QString& orden, const QString& existenciaActual,
                              bool muestra) {
  Tarjeta tarjeta(Disposicion::Integral, existenciaActual, kEspere);
  tarjeta.Llena(ConOrden(consulta, orden));
  if (muestra ? tarjeta.Muestra() : true) return TextoCantidadKardex(tarjeta.Final());
  return {};
}

QString MuestraKardex(const QString& consulta, const QString& orden, const QString& existenciaActual) {
  Tarjeta tarjeta(Disposicion::Movimientos, existenciaActual, kEspere);
  tarjeta.Llena(ConOrden(consulta, orden));
  return tarjeta.Muestra() ? TextoCantidadKardex(tarjeta.Final()) : QString();
}

void MuestraKardexVacio() {
  Tarjeta tarjeta(Disposicion::Movimientos, QString(), QString());
  tarjeta.MuestraTotales();
  tarjeta.Muestra();
}

QString MuestraKardexAlterno(const QString& consulta, const QString& clave, const QString& existenciaActual,
                             bool muestra) {
  Tarjeta tarjeta(Disposicion::Alterno, existenciaActual, clave + u' ' + kEspere);
  tarjeta.Llena(consulta);
  if (!muestra || !tarjeta.Muestra() || tarjeta.Forma().TablaNormal->Filtered()) return {};
  return TextoTotales(tarjeta.Final(), tarjeta.Entradas(), -tarjeta.Salidas());
}

QString CalculaCostoPromedio(const QString& consulta, const QString& orden, const QString& modo,
                             const QString& clave) {
  Tarjeta tarjeta(Disposicion::Costo, QString(), QString());
  tarjeta.Llena(ConOrden(consulta, orden));
  TFormaCosteo& forma = tarjeta.Forma();
  forma.EtiquetaProducto->setText(clave);
  db::Tabla& t = *forma.TablaNormal;
  t.Last();
  forma.EtiquetaDescribe->setText(t.FieldByName(QStringLiteral("DESCRIPCIO")).AsString());
  if (modo != u"promedio") return {};
  if (tarjeta.CostoCompras() > 0 && tarjeta.CantidadCompras() > 0)
    return TextoCantidadKardex(tarjeta.Final()) + u',' +
           TextoCantidadKardex(tarjeta.CostoCompras() / tarjeta.CantidadCompras());
  return TextoCantidadKardex(tarjeta.Final()) + QStringLiteral(",0");
}

QString CalculaExistenciaKardex(const QString& consulta) {
  const Recuento r = CuentaDocumentos(consulta);
  return TextoTotales(r.existencia, r.entradas, r.salidas);
}

QString SumaMovimientosKardex(const QString& consulta) {
  const Recuento r = CuentaDocumentos(consulta);
  return TextoCantidadKardex(r.entradas) + u'\t' + TextoCantidadKardex(-r.salidas);
}
