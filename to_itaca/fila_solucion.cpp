#include "to_itaca/fila_solucion.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "formats/text.h"

namespace velmora {

std::string LetraDia(long long dia) {
  static const char* const kLetras[] = {"L", "M", "X", "J", "V", "S", "D"};
  if (dia < 1 || dia > 7) return "";
  return kLetras[dia - 1];
}

std::string TextoHora(double hora) {
  if (std::isfinite(hora) && hora == std::trunc(hora) && std::fabs(hora) < 1e15) {
    return std::to_string(static_cast<long long>(hora));
  }
  char text[64];
  auto [end, ec] = std::to_chars(text, text + sizeof text, hora);
  return ec == std::errc() ? std::string(text, end) : std::string();
}

std::optional<Tramo> BuscarTramo(Table& tramos, double hora) {
  if (!tramos.Locate("HORA", TextoHora(hora))) return std::nullopt;
  return Tramo{std::to_string(tramos.AsInteger("SESION_ORDEN")), tramos.AsString("HORADESDE"),
               tramos.AsString("HORAHASTA")};
}

bool BuscarCodigo(Table& tabla, std::string_view campo, const std::string& codigo) {
  return !codigo.empty() && tabla.Locate(campo, codigo);
}

std::string FilaOmitida(long recno, std::string_view pasada, std::string_view motivo) {
  std::string line = "SOLUC fila " + std::to_string(recno) + ", ";
  line += pasada;
  line += ": ";
  line += motivo;
  return line;
}

std::string NoEncontrado(std::string_view campo, const std::string& codigo,
                         std::string_view tabla) {
  std::string motivo(campo);
  if (codigo.empty()) return motivo + " vacío";
  motivo += " «" + Cp1252ToUtf8(codigo) + "» no está en ";
  motivo += tabla;
  return motivo;
}

std::optional<FilaColocada> FilaDeLaPasada(Table& soluc, bool ocupaciones, Report& report) {
  std::string asig = soluc.AsString("ASIG");
  if ((asig == soluc.AsString("TAREA")) != ocupaciones) return std::nullopt;
  const long long dia = soluc.AsInteger("DIA");
  const double hora = soluc.AsFloat("HORA");
  if (dia == 0 || hora == 0) {
    ++report.unplaced;
    return std::nullopt;
  }
  return FilaColocada{std::move(asig), dia, hora, soluc.RecNo()};
}

std::optional<Tramo> TramoDeFila(Table& tramos, double hora, long recno, std::string_view pasada,
                                 Report& report) {
  auto tramo = BuscarTramo(tramos, hora);
  if (!tramo) {
    report.Omit(FilaOmitida(recno, pasada, "HORA " + TextoHora(hora) + " no está en DIASHORAST"));
  }
  return tramo;
}

XmlOut NuevaSesion(XmlOut& coleccion, std::string_view elemento, const std::string& plantilla,
                   long long dia, const Tramo& tramo) {
  XmlOut e = coleccion.AppendChild(elemento);
  e.SetAttribute("plantilla", plantilla);
  e.SetAttribute("dia_semana", LetraDia(dia));
  e.SetAttribute("sesion_orden", tramo.sesionOrden);
  e.SetAttribute("hora_desde", tramo.desde);
  e.SetAttribute("hora_hasta", tramo.hasta);
  return e;
}

}  // namespace velmora
