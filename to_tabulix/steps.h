#pragma once
// The ten steps of the ITACA to Tabulix run, in the order the run calls them.
// Each lives in a file named after it (crear_profesores.cpp, ...).
#include "to_tabulix/run_context.h"

namespace velmora {

void CrearProfesores(RunContext& ctx);            // PROFT
void CrearCursosGrupos(RunContext& ctx);          // CURSOST, GRUPOST
void CrearNombresAsignaturas(RunContext& ctx);    // ASIGNOMT: subjects
void AnadirOcupaciones(RunContext& ctx);          // ASIGNOMT: duties
void CrearAulas(RunContext& ctx);                 // AULAT
void CrearAsignaciones(RunContext& ctx);          // ASIGT: default class rows
void CargarHorariosGrupo(RunContext& ctx);        // ASIGT: class load of the chosen template
void CargarHorariosOcupaciones(RunContext& ctx);  // ASIGT: duty rows, session patterns
void QuitarSinClases(RunContext& ctx);            // GRUPOST, PROFT: idle groups and teachers
// DIASHORAST from the hours list; reads no document, so both runs can call it.
void CrearDiasHoras(RunState& state, Report& report);

}  // namespace velmora
