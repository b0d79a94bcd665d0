#pragma once

#include "payroll/profileform.h"

#include <QList>

// Rubriques for the payroll tests, written out here so that the tests do not depend on the
// profile code that generates them.
namespace payrollsupport {

using namespace Qt::StringLiterals;

inline Rubrique rub(const QString &label, const QString &employeeRate, const QString &employerRate,
                    const QString &base)
{
    return Rubrique{QString(), label, employeeRate, employerRate, base};
}

// The 26 rubriques of the standard profile.
inline QList<Rubrique> standardRubriques()
{
    return {rub(u"CSG non déductible et CRDS"_s, u"2,90"_s, {}, u"S"_s),
            rub(u"CSG Déductible"_s, u"5,10"_s, {}, u"S"_s),
            rub(u"Assurance Maladie Maternité Décès"_s, u"0,75"_s, u"12,80"_s, u"T"_s),
            rub(u"Assurance Veuvage"_s, u"0,10"_s, {}, u"T"_s),
            rub(u"Assurance Vieillesse plafonnée"_s, u"6,55"_s, u"8,20"_s, u"T"_s),
            rub(u"Accidents Vieillesse déplafonnée"_s, {}, u"1,60"_s, u"T"_s),
            rub(u"Allocations Familiales"_s, {}, u"5,40"_s, u"T"_s),
            rub(u"Accidents du Travail"_s, {}, u"2,00"_s, u"T"_s),
            rub(u"Aide au Logement sur le Brut"_s, {}, u"0,40"_s, u"T"_s),
            rub(u"Aide au Logement"_s, {}, u"0,10"_s, u"A"_s),
            rub(u"A.G.F.F."_s, u"0,80"_s, u"1,20"_s, u"T"_s),
            rub(u"Formation Professionnelle"_s, {}, u"0,15"_s, u"T"_s),
            rub(u"FNAL Tous Employeurs"_s, {}, u"0,10"_s, u"T"_s),
            rub(u"FNAL Tous Employeurs sur le brut"_s, {}, u"0,40"_s, u"T"_s),
            rub(u"Assurance chômage"_s, u"2,00"_s, u"3,60"_s, u"A"_s),
            rub(u"Assurance chômage"_s, {}, {}, u"B"_s),
            rub(u"Fonds de Garantie des Salaires"_s, {}, u"0,20"_s, u"T"_s),
            rub(u"Retraite Compl. non Cadre"_s, u"3,75"_s, u"4,50"_s, u"A"_s),
            rub(u"Retraite Compl. Cadre"_s, {}, {}, u"B"_s),
            rub(u"Prévoyance"_s, u"0,70"_s, u"0,70"_s, u"A"_s),
            rub(u"Prévoyance"_s, {}, {}, u"B"_s),
            rub(u"Caisse CRICA (Cadre)"_s, u"5,00"_s, u"10,00"_s, u"B"_s),
            rub(u"A.P.E.C. (Cadre)"_s, u"0,24"_s, u"0,36"_s, u"B"_s),
            rub(u"Mutuelle Entreprise"_s, {}, {}, u"A"_s),
            rub(u"Taxe d'Apprentissage"_s, {}, {}, u"T"_s),
            rub(u"Taxe de la Construction"_s, {}, u"0,54"_s, u"T"_s)};
}

} // namespace payrollsupport
