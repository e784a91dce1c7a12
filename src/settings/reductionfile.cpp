#include "settings/reductionfile.h"

namespace settings {

namespace reductionfile {

const QStringList& controlNames() {
    static const QStringList names = {"txt_calcul",
                                      "txt_corrasd",
                                      "txt_corrdec",
                                      "txt_dec(0)",
                                      "txt_dec(1)",
                                      "txt_dec(2)",
                                      "txt_dec_sign_show(0)",
                                      "txt_distance",
                                      "txt_epoch",
                                      "txt_mag",
                                      "txt_mag2",
                                      "txt_ra(0)",
                                      "txt_ra(1)",
                                      "txt_ra(2)",
                                      "txt_tolerance",
                                      "txt_url",
                                      "CheckDecideur",
                                      "txt_Adate(0)",
                                      "txt_Adate(1)",
                                      "txt_Adate(2)",
                                      "txt_Adate(3)",
                                      "txt_Adate(4)",
                                      "txt_Afield",
                                      "Txt_Amag",
                                      "CheckAster",
                                      "CheckAutoload",
                                      "Checkcenter",
                                      "CheckDeepObj1",
                                      "CheckDeepObj2"};
    return names;
}

bool isCheckBox(int line) {
    return controlNames().value(line - 1).startsWith(QLatin1String("Check"));
}

QString withExtension(const QString& name) {
    return name.contains(QLatin1String(".pam")) ? name : name + QStringLiteral(".pam");
}

} // namespace reductionfile

} // namespace settings
