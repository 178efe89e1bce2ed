#include "reports/GeneradorReporte.h"

#include "foundation/aritmetica.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/db/Tabla.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "reports/ArchivosReporte.h"
#include "reports/Progreso.h"
#include "reports/ProtocoloReporte.h"

#include <QHash>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

constexpr int kLargoLlave = 100;
constexpr int kLargoTexto = 100;
constexpr int kLargoColumna = 25;

const QString kSinLlave = QStringLiteral("N.A.");
const QString kOtroReporte = QStringLiteral("Hay otro reporte abierto en esta computadora; ciérrelo e intente de nuevo");

// Texts compare as the files store them: by their Windows-1252 bytes.
int ComparaTextos(const QString& a, const QString& b) { return fs::ACp1252(a).compare(fs::ACp1252(b)); }

bool CumpleComparacion(int comparacion, QChar codigo) {
  switch (codigo.unicode()) {
    case u'=': return comparacion == 0;
    case u'<': return comparacion < 0;
    case u'>': return comparacion > 0;
    case u'X': return comparacion != 0;
    case u'Y': return comparacion <= 0;
    case u'Z': return comparacion >= 0;
    default: return false;
  }
}

QDate FechaOError(const QString& texto) {
  QDate fecha;
  if (!LeeFecha(texto, fecha)) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'") + texto + QStringLiteral("' no es una fecha válida"));
  }
  return fecha;
}

double NumeroOError(const QString& texto) {
  double numero = 0;
  if (!LeeReal(texto.isEmpty() ? QStringLiteral("0") : texto, numero)) {
    throw plat::Error(plat::Clase::Conversion,
                      QStringLiteral("'") + texto + QStringLiteral("' no es un valor numérico válido"));
  }
  return numero;
}

// A dialog condition made ready for many records: the condition value is
// read once as the field's type asks.
class Condicion {
 public:
  Condicion(QChar codigo, const QString& condicion, db::TipoDato tipo) : codigo_(codigo), texto_(condicion) {
    const bool porTexto = codigo == u'I' || codigo == u'T' || codigo == u'U';
    if (porTexto) {
      clase_ = Clase::Texto;
    } else if (tipo == db::TipoDato::Fecha) {
      clase_ = Clase::Fecha;
      fecha_ = FechaOError(condicion);
    } else if (tipo == db::TipoDato::Entero || tipo == db::TipoDato::Flotante || tipo == db::TipoDato::Moneda) {
      clase_ = Clase::Numero;
      numero_ = NumeroOError(condicion);
    }
    bytes_ = fs::ACp1252(condicion);
  }

  bool Cumple(const QString& valor) const {
    switch (clase_) {
      case Clase::Fecha: {
        const QDate fecha = FechaOError(valor.isEmpty() ? QStringLiteral("01/01/1980") : valor);
        return CumpleComparacion(fecha < fecha_ ? -1 : fecha > fecha_ ? 1 : 0, codigo_);
      }
      case Clase::Numero: {
        const double numero = ValorReal(valor);
        return CumpleComparacion(numero < numero_ ? -1 : numero > numero_ ? 1 : 0, codigo_);
      }
      case Clase::Texto: break;
    }
    const QByteArray v = fs::ACp1252(valor);
    switch (codigo_.unicode()) {
      case u'I': return v.startsWith(bytes_);
      case u'T': return !bytes_.isEmpty() && v.endsWith(bytes_);
      case u'U': {
        if (bytes_.isEmpty()) return false;
        qsizetype saltos = 0;
        while (saltos < bytes_.size() && bytes_[saltos] == '?') ++saltos;
        if (saltos == 0) return v.contains(bytes_);
        const QByteArrayView resto = QByteArrayView(bytes_).sliced(saltos);
        return v.size() >= saltos + resto.size() && QByteArrayView(v).sliced(saltos, resto.size()) == resto;
      }
      default: return CumpleComparacion(v.compare(bytes_), codigo_);
    }
  }

 private:
  enum class Clase { Texto, Fecha, Numero };
  Clase clase_ = Clase::Texto;
  QChar codigo_;
  QString texto_;
  QByteArray bytes_;
  QDate fecha_;
  double numero_ = 0;
};

// A key or column expression bound to the fields of the dataset.
class Expresion {
 public:
  // Unknown fields give the table layer's NoExiste, except inside a "%"
  // key, which then reads as empty.
  Expresion(db::Dataset& ds, const QString& texto, bool esLlave) {
    if (texto.isEmpty()) {
      clase_ = Clase::Vacia;
    } else if (esLlave && texto.startsWith(u'%')) {
      clase_ = Clase::Prefijo;
      if (texto.size() > 1 && texto[1].isDigit()) {
        largo_ = texto[1].digitValue();
        campo_ = ds.FindField(texto.mid(2));
      }
    } else if (texto.startsWith(u'&')) {
      clase_ = Clase::Aritmetica;
      CompilaAritmetica(ds, texto);
    } else {
      clase_ = Clase::Campo;
      campo_ = &ds.FieldByName(texto);
    }
  }

  QString Valor() const {
    switch (clase_) {
      case Clase::Vacia: return QString();
      case Clase::Campo: return campo_->AsString();
      case Clase::Prefijo:
        if (!campo_) return QString();
        try {
          return campo_->AsString().left(largo_);
        } catch (const std::exception&) {
          return QString();
        }
      case Clase::Aritmetica: break;
    }
    QString armado;
    for (const Pieza& p : piezas_) armado += p.campo ? TextoReal(p.campo->AsFloat()) : p.texto;
    return EvaluaAritmetica(conParentesis_ ? ResuelveParentesis(armado) : armado);
  }

 private:
  enum class Clase { Vacia, Campo, Prefijo, Aritmetica };
  struct Pieza {
    QString texto;
    db::Campo* campo = nullptr;  // a field's number instead of the text
  };

  // "%" and "&" separate and are dropped, "(" is copied; a word runs up to
  // "/", "*", "-", "+", ")" or the last character, which is never part of
  // it. A word that reads as a number stays a number, any other names a
  // field; the ending character follows it.
  void CompilaAritmetica(db::Dataset& ds, const QString& texto) {
    QString palabra;
    const auto termina = [&](QChar fin) {
      if (!palabra.isEmpty()) {
        double numero = 0;
        if (LeeReal(palabra, numero)) piezas_.push_back({TextoReal(numero)});
        else piezas_.push_back({QString(), &ds.FieldByName(palabra)});
        palabra.clear();
      }
      if (fin != u'&' && fin != u'%') piezas_.push_back({QString(fin)});
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
      const QChar c = texto[i];
      const bool ultimo = i == texto.size() - 1;
      if (c == u'(' && !ultimo) {
        piezas_.push_back({QStringLiteral("(")});
      } else if (ultimo || c == u'/' || c == u'*' || c == u'-' || c == u'+' || c == u')') {
        termina(c);
      } else if (c != u'%' && c != u'&') {
        palabra += c;
      }
    }
    for (const Pieza& p : piezas_) {
      if (p.texto.contains(u'(') || p.texto.contains(u')') || p.texto.contains(u';')) conParentesis_ = true;
    }
  }

  Clase clase_ = Clase::Vacia;
  db::Campo* campo_ = nullptr;
  int largo_ = 0;
  std::vector<Pieza> piezas_;
  bool conParentesis_ = false;
};

QString LetraColumna(db::Dataset& ds, const QString& expresion) {
  if (expresion.isEmpty()) return QStringLiteral("x");
  if (expresion.startsWith(u'&')) return QStringLiteral("f");
  return LetraTipoCampo(TipoCampoDe(ds.FieldByName(expresion).Tipo()));
}

void QuitaRango(db::Dataset& ds) {
  if (auto* tabla = qobject_cast<db::Tabla*>(&ds); tabla && tabla->Active()) tabla->CancelRange();
}

// The key range on the dataset's current index, when both keys are given
// and in order; otherwise, or when the range cannot be set, none.
void AplicaRango(db::Dataset& ds, const QString& desde, const QString& hasta) {
  auto* tabla = qobject_cast<db::Tabla*>(&ds);
  if (!tabla) return;
  if (!desde.isEmpty() && !hasta.isEmpty() && ComparaTextos(desde, hasta) <= 0) {
    try {
      tabla->SetRange({desde}, {hasta});
      return;
    } catch (const plat::Error&) {
    }
  }
  tabla->CancelRange();
}

// The result of a run that did not end: no rows for the viewer.
void BorraResultadoReporte() {
  for (const QString& nombre : {kArchivoFinal, kArchivoEtiquetas, kArchivoAnchos}) BorraArchivoReporte(nombre);
}

// The dialog's conditions of a run, bound to the dataset.
class CondicionesDialogo {
 public:
  CondicionesDialogo(db::Dataset& ds, const CondicionesReporte& dialogo) : o_(dialogo.conector == u"O") {
    for (const CondicionReporte& c : dialogo.condiciones) {
      // No field, or an operator word CodigoOperador did not know: no condition.
      if (c.campo.isEmpty() || c.campo == u"X" || c.codigo.isEmpty()) continue;
      db::Campo& campo = ds.FieldByName(c.campo);
      activas_.push_back({&campo, Condicion(c.codigo[0], c.valor, campo.Tipo()), {}});
    }
  }

  // With "O" one condition must hold, otherwise all of them.
  bool Cumple() {
    for (Activa& a : activas_) {
      try {
        a.valor = a.campo->AsString();
      } catch (const std::exception&) {
        // A value that cannot be read keeps the previous record's.
      }
      if (a.condicion.Cumple(a.valor) == o_) return o_;
    }
    return !o_ || activas_.empty();
  }

 private:
  struct Activa {
    db::Campo* campo;
    Condicion condicion;
    QString valor;
  };
  bool o_;
  std::vector<Activa> activas_;
};

// A currency's rate as an amount; 0 when it is no number.
Dinero TasaDe(const TRegistroMoneda& moneda) { return Dinero::Lee(moneda.Campos[MonedaValor]).value_or(Dinero()); }

// The currency rates of a run, read once.
class Tasas {
 public:
  QString De(const QString& moneda) {
    if (!leidas_) {
      leidas_ = true;
      for (const TRegistroMoneda& m : MonedasReporte()) {
        const QString& nombre = m.Campos[MonedaDivisa];
        if (!tasas_.contains(nombre)) tasas_.insert(nombre, TasaDe(m).Texto());
      }
    }
    return tasas_.value(moneda, QStringLiteral("0"));
  }

 private:
  bool leidas_ = false;
  QHash<QString, QString> tasas_;
};

}  // namespace

EstadoGenerador& EstadoGeneradorReporte() {
  static EstadoGenerador estado;
  return estado;
}

void ProcesaReporte(const ArgumentosReporte& a) {
  EstadoGenerador& estado = EstadoGeneradorReporte();
  estado.Argumentos = a;
  db::Dataset& ds = *a.Dataset;
  ds.First();

  TRenglonReporte tipos;
  for (int n = 0; n < 8; ++n) tipos.Columnas[n] = LetraColumna(ds, a.Columnas[n]);
  estado.TiposColumnaReporte = tipos.Columnas;
  EscritorRenglones concen(kArchivoConcen);
  concen.Escribe(tipos);

  // Every name is looked up before the walk: an unknown one stops the run
  // whether or not a record reaches it.
  const Expresion llave(ds, a.Llave, true);
  const Expresion texto(ds, a.Texto, false);
  std::vector<Expresion> columnas;
  for (const QString& c : a.Columnas) columnas.emplace_back(ds, c, false);
  struct Conversion {
    QString operador;
    db::Campo* moneda;
  };
  std::vector<std::pair<int, Conversion>> conversiones;
  for (int n = 0; n < 8; ++n) {
    const EstadoGenerador::Conversion& c = estado.ConversionMonedaReporte[n];
    if (!c.Operador.isEmpty() && !a.Columnas[n].isEmpty())
      conversiones.push_back({n, {c.Operador, &ds.FieldByName(c.Campo)}});
  }
  db::Campo* cuarta = a.CampoCondicion.isEmpty() ? nullptr : &ds.FieldByName(a.CampoCondicion);
  const bool conFechas = !(a.FechaDesde.isEmpty() && a.FechaHasta.isEmpty()) && a.CampoFecha != u"f";
  db::Campo* fecha = conFechas ? &ds.FieldByName(a.CampoFecha) : nullptr;
  const bool rangoFechas = conFechas && !a.FechaDesde.isEmpty() && !a.FechaHasta.isEmpty() &&
                           a.FechaDesde != u"f" && a.FechaHasta != u"f";
  const QDate desde = rangoFechas ? FechaOError(a.FechaDesde) : QDate();
  const QDate hasta = rangoFechas ? FechaOError(a.FechaHasta) : QDate();

  if (ds.RecordCount() >= 1) {
    AplicaRango(ds, a.LlaveDesde, a.LlaveHasta);
    ds.First();
    std::unique_ptr<CondicionesDialogo> dialogo;
    if (HayCondicionesReporte()) dialogo = std::make_unique<CondicionesDialogo>(ds, CondicionesDialogoReporte());
    AvanceProgreso(0);
    const qint64 total = std::max<qint64>(1, ds.RecordCount());
    qint64 contador = 1;
    Tasas tasas;
    QByteArray fila(TRenglonReporte::kTamano, '\0');
    for (; !ds.Eof(); ds.Next()) {
      bool conserva = !cuarta || CumpleCondicionLlave(cuarta->AsString(), a.CodigoCondicion, a.ValorCondicion);
      if (conserva && conFechas) {
        const QString texto = fecha->AsString();
        conserva = rangoFechas && !texto.isEmpty() && [&] {
          const QDate dia = FechaOError(texto);
          return desde <= dia && dia <= hasta;
        }();
      }
      if (conserva && dialogo) conserva = dialogo->Cumple();
      if (conserva) {
        fila.fill('\0');
        QString valor = llave.Valor().left(kLargoLlave);
        fs::EscribeCadenaCorta(fila, 0, TRenglonReporte::kAnchoLlave, valor.isEmpty() ? kSinLlave : valor);
        fs::EscribeCadenaCorta(fila, TRenglonReporte::kPosicionTexto, TRenglonReporte::kAnchoTexto,
                               texto.Valor().left(kLargoTexto));
        std::array<QString, 8> valores;
        for (int n = 0; n < 8; ++n)
          valores[n] = a.Columnas[n].isEmpty() ? QStringLiteral("0") : columnas[n].Valor().left(kLargoColumna);
        for (const auto& [n, c] : conversiones)
          valores[n] = ConvierteImporteMoneda(valores[n], c.operador, tasas.De(c.moneda->AsString())).Texto();
        for (int n = 0; n < 8; ++n)
          fs::EscribeCadenaCorta(fila, TRenglonReporte::PosicionColumna(n), TRenglonReporte::kAnchoColumna, valores[n]);
        concen.Escribe(fila.constData());
      }
      ++contador;
      AvanceProgreso(static_cast<int>(std::min<qint64>(100, contador * 100 / total)));
    }
  }
  AvanceProgreso(100);
  concen.Escribe(TRenglonReporte::Cierre());
  concen.Cierra();

  if (a.Modo == u"C") {
    BorraArchivoReporte(kArchivoFinal);
    OrdenaReporte();
    AgrupaReporte();
  } else if (a.Modo == u"D") {
    BorraArchivoReporte(kArchivoFinal);
    RenombraArchivoReporte(kArchivoConcen, kArchivoFinal);
  } else if (a.Modo == u"DC") {
    OrdenaReporte();
    RenombraArchivoReporte(kArchivoOrden, kArchivoFinal);
  } else {
    // A mode the engine does not know leaves no result, never the last run's.
    BorraArchivoReporte(kArchivoFinal);
  }
  QuitaRango(ds);
}

void GeneraReporte(db::Dataset& dataset, const QString& llaveDesde, const QString& llaveHasta,
                   const QString& campoFecha, const QString& fechaDesde, const QString& fechaHasta,
                   const QString& llave, const QString& texto, const std::array<QString, 8>& columnas,
                   const QString& campoCondicion, const QString& codigoCondicion, const QString& valorCondicion,
                   const QString& modo) {
  const ArgumentosReporte argumentos{&dataset, llaveDesde, llaveHasta,     campoFecha,      fechaDesde,
                                     fechaHasta, llave,   texto,          columnas,        campoCondicion,
                                     codigoCondicion,      valorCondicion, modo};
  EstadoGenerador& estado = EstadoGeneradorReporte();
  estado.Argumentos = argumentos;
  estado.Rechazada = false;
  try {
    const QString carpeta = CarpetaTrabajoReporte();
    if (!fs::ExisteCarpeta(carpeta))
      throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No existe la carpeta de trabajo ") + carpeta);
    if (!TomaArchivosReporte(true)) {
      estado.Rechazada = true;
      MuestraMensaje(kOtroReporte);
      return;
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }

  std::unique_ptr<TFormaProgreso> propia;
  TFormaProgreso* progreso = FormaProgreso();
  if (!progreso) {
    propia = std::make_unique<TFormaProgreso>();
    progreso = propia.get();
  }
  bool empezo = false;
  progreso->Tarea = [&] {
    empezo = true;
    try {
      ProcesaReporte(argumentos);
    } catch (const std::exception& e) {
      QuitaRango(dataset);
      BorraResultadoReporte();
      ui::MuestraExcepcion(e);
    }
    progreso->Close();
  };
  progreso->Timer1->start();
  progreso->ShowModal();
  progreso->Timer1->stop();
  progreso->Tarea = nullptr;
  // "Terminar" before the work began: nothing to show, not the last run.
  if (!empezo) BorraResultadoReporte();
}

void EscribeTitulosReporte(const QString& tituloLlave, const QString& tituloTexto,
                           const std::array<QString, 8>& titulosColumnas, const QString&) {
  if (!TieneArchivosReporte()) return;
  const EstadoGenerador& estado = EstadoGeneradorReporte();
  std::array<TTitulosReporte, 3> r;
  r[0].Textos[0] = tituloLlave;
  r[1].Textos[0] = estado.Argumentos.Modo;
  for (int i = 0; i < 3; ++i) r[i].Textos[1] = tituloTexto;
  for (int n = 0; n < 8; ++n) {
    r[0].Textos[n + 2] = titulosColumnas[n];
    r[1].Textos[n + 2] = estado.TiposColumnaReporte[n];
  }
  // Field, code and value of each condition: slots 0, 4, 7; 2, 5, 8; 3, 6, 9.
  constexpr int kCampo[] = {0, 2, 3};
  const CondicionesReporte& condiciones = CondicionesDialogoReporte();
  for (int n = 0; n < 3; ++n) {
    const CondicionReporte& c = condiciones.condiciones[n];
    if (c.campo.isEmpty() || c.campo == u"X") continue;
    r[2].Textos[kCampo[n]] = c.campo;
    r[2].Textos[4 + n] = c.codigo;
    r[2].Textos[7 + n] = c.valor;
  }
  EscribeArchivoTitulos(r);
  FijaCondicionesReporte({}, QStringLiteral("X"), {}, {}, {}, QStringLiteral("X"), {}, {}, {},
                         QStringLiteral("X"), {}, {}, {});
}

void EscribeAnchosReporte(const std::array<quint16, 10>& anchos, int) {
  if (!TieneArchivosReporte()) return;
  TAnchosReporte r;
  r.Anchos = anchos;
  fs::EscribeAtomico(ArchivoTrabajoReporte(kArchivoAnchos), r.ABytes());
}

void FijaConversionMonedaReporte(const std::array<EstadoGenerador::Conversion, 8>& conversiones) {
  EstadoGeneradorReporte().ConversionMonedaReporte = conversiones;
}

bool CumpleCondicionReporte(const QString& valor, QChar codigo, const QString& condicion, db::TipoDato tipo) {
  return Condicion(codigo, condicion, tipo).Cumple(valor);
}

bool HayCondicionesReporte() {
  bool hay = false;
  for (CondicionReporte& c : CondicionesDialogoReporte().condiciones) {
    if (c.campo.isEmpty()) c.campo = QStringLiteral("X");
    else hay = true;
  }
  return hay;
}

bool FechaEnRango(const QString& fecha, const QString& desde, const QString& hasta) {
  for (const QString& limite : {desde, hasta}) {
    if (limite.isEmpty() || limite == u"f") return false;
  }
  if (fecha.isEmpty()) return false;
  const QDate dia = FechaOError(fecha);
  return FechaOError(desde) <= dia && dia <= FechaOError(hasta);
}

bool CumpleCondicionLlave(const QString& valor, const QString& codigo, const QString& comparacion) {
  if (codigo == u"X") return true;
  if (codigo == u"!") return valor != comparacion;
  if (codigo == u"=" || codigo == u"<" || codigo == u">") return CumpleComparacion(ComparaTextos(valor, comparacion), codigo[0]);
  return false;
}

Dinero ConvierteImporteMoneda(const QString& importe, const QString& operador, const QString& tasa) {
  const Dinero a = Dinero::DeTexto(importe.isEmpty() ? QStringLiteral("0") : importe);
  const Dinero b = Dinero::DeTexto(tasa.isEmpty() ? QStringLiteral("0") : tasa);
  if (operador == u"*") return a * b;
  if (operador == u"+") return a + b;
  if (operador == u"-") return a - b;
  if (operador != u"/") return Dinero(1);
  if (b == Dinero()) {
    throw plat::Error(plat::Clase::Conversion,
                      QStringLiteral("No se puede convertir ") + importe + QStringLiteral(" con un tipo de cambio de 0"));
  }
  // The quotient in ten-thousandths, halves away from zero.
  const __int128 numerador = static_cast<__int128>(a.Diezmilesimas()) * Dinero::kEscala * 2;
  const __int128 doble = numerador / b.Diezmilesimas();
  const __int128 cociente = (doble + (doble >= 0 ? 1 : -1)) / 2;
  return Dinero::DeDiezmilesimas(static_cast<std::int64_t>(cociente));
}

Dinero TasaMoneda(const QString& moneda) {
  for (const TRegistroMoneda& m : MonedasReporte()) {
    if (m.Campos[MonedaDivisa] == moneda) return TasaDe(m);
  }
  return Dinero();
}
