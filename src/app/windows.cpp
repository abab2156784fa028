#include "app/windows.h"
#include "platform/registry.h"
#include "publishing/form_html.h"
#include "publishing/form_html2.h"
#include "publishing/form_html_all.h"
#include "publishing/form_html_color.h"
#include "publishing/form_html_kojin.h"
#include "publishing/form_sokuho.h"
#include "recording/form_data.h"
#include "recording/form_info.h"
#include "recording/form_main.h"
#include "recording/form_normaldata.h"
#include "recording/form_player.h"
#include "recording/form_siai.h"
#include "recording/form_zkt.h"
#include "records/form_ana_kojin.h"
#include "records/form_ana_p.h"
#include "records/form_chart.h"
#include "records/form_edit.h"
#include "records/form_file.h"
#include "records/form_kojin.h"
#include "records/form_score.h"
#include "records/form_seiseki.h"
#include "records/form_siaiseiseki.h"
#include "shell/form_aisatsu.h"
#include "shell/form_hdcp.h"
#include "shell/form_newplayer.h"
#include "shell/form_settei.h"
#include "shell/form_srs.h"
#include "shell/form_start.h"
#include "shell/form_version.h"
#include "shell/form_wait.h"

namespace vx {

void registerAllWindows() {
    using forms::registerWindow;
    registerWindow<Form_Start>(QStringLiteral("Form_Start"));
    registerWindow<Form_Wait>(QStringLiteral("Form_Wait"));
    registerWindow<Form_Aisatsu>(QStringLiteral("Form_Aisatsu"));
    registerWindow<Form_version>(QStringLiteral("Form_version"));
    registerWindow<Form_Settei>(QStringLiteral("Form_Settei"));
    registerWindow<Form_NewPlayer>(QStringLiteral("Form_NewPlayer"));
    registerWindow<form_srs>(QStringLiteral("form_srs"));
    registerWindow<form_HDCP>(QStringLiteral("form_HDCP"));
    registerWindow<Form_Siai>(QStringLiteral("Form_Siai"));
    registerWindow<Form_Player>(QStringLiteral("Form_Player"));
    registerWindow<form_main>(QStringLiteral("form_main"));
    registerWindow<Form_INFO>(QStringLiteral("Form_INFO"));
    registerWindow<Form_Data>(QStringLiteral("Form_Data"));
    registerWindow<Form_NormalDATA>(QStringLiteral("Form_NormalDATA"));
    registerWindow<Form_ZKT>(QStringLiteral("Form_ZKT"));
    registerWindow<Form_Score>(QStringLiteral("Form_Score"));
    registerWindow<Form_file>(QStringLiteral("Form_file"));
    registerWindow<Form_HTML>(QStringLiteral("Form_HTML"));
    registerWindow<Form_HTML_color>(QStringLiteral("Form_HTML_color"));
    registerWindow<Form_HTML2>(QStringLiteral("Form_HTML2"));
    registerWindow<Form_siaiSeiseki>(QStringLiteral("Form_siaiSeiseki"));
    registerWindow<Form_edit>(QStringLiteral("Form_edit"));
    registerWindow<Form_Seiseki>(QStringLiteral("Form_Seiseki"));
    registerWindow<Form_Kojin>(QStringLiteral("Form_Kojin"));
    registerWindow<Form_sokuho>(QStringLiteral("Form_sokuho"));
    registerWindow<Form_HTML_kojin>(QStringLiteral("Form_HTML_kojin"));
    registerWindow<Form_HTML_ALL>(QStringLiteral("Form_HTML_ALL"));
    registerWindow<Form_ana_kojin>(QStringLiteral("Form_ana_kojin"));
    registerWindow<Form_ana_p>(QStringLiteral("Form_ana_p"));
    registerWindow<Form_chart>(QStringLiteral("Form_chart"));
}

}  // namespace vx
