#include "project_json.h"

#include "common/value_json.h"

namespace carvelle {

void WriteJsonSettings(JsonWriter& json, const TSettings& s) {
    json.BeginObject();
    WriteJsonText(json, "Title", s.Title);
    json.Key("Style").Value(s.Style);
    WriteJsonText(json, "TabSheets", s.TabSheets);
    WriteJsonFont(json, "TabFont", s.TabFont);
    json.Key("ShowSheetIcons").Value(s.ShowSheetIcons);
    json.Key("IconSize").Value(s.IconSize);
    const THintSettings& h = s.Hint;
    json.Key("UseCustomizedHint").Value(h.UseCustomizedHint);
    json.Key("Direction").Value(h.Direction);
    WriteJsonFont(json, "HintFont", h.HintFont);
    json.Key("Color").Value(h.Color);
    json.Key("ShowPause").Value(h.ShowPause);
    json.Key("HidePause").Value(h.HidePause);
    json.Key("BorderColor").Value(h.BorderColor);
    json.Key("ShadowColor").Value(h.ShadowColor);
    json.Key("BackStyle").Value(h.BackStyle);
    json.Key("GradientColor").Value(h.GradientColor);
    WriteJsonPicture(json, "BackImage", h.BackImage);
    json.Key("ShadowOffset").Value(h.ShadowOffset);
    json.Key("RequireAdministrator").Value(s.RequireAdministrator);
    WriteJsonText(json, "AdministratorMessage", s.AdministratorMessage);
    json.EndObject();
}

void WriteJsonInstaller(JsonWriter& json, const TInstallWare& w) {
    json.BeginObject();
    WriteJsonText(json, "Executable", w.Executable);
    WriteJsonText(json, "Parameters", w.Parameters);
    WriteJsonText(json, "StartFolder", w.StartFolder);
    json.Key("Wait").Value(w.Wait);
    json.Key("When").Value(w.When);
    WriteJsonText(json, "FileType", w.FileType);
    json.Key("Prompt").Value(w.Prompt);
    WriteJsonText(json, "PromptCaption", w.PromptCaption);
    WriteJsonText(json, "PromptMessage", w.PromptMessage);
    json.Key("AllowSkip").Value(w.AllowSkip);
    json.EndObject();
}

std::string ProjectInfoJson(ProjectSource source, const ProjectHeader& header) {
    JsonWriter json;
    json.BeginObject();
    json.Key("Source").Value(static_cast<std::int32_t>(source));
    json.Key("Settings");
    WriteJsonSettings(json, header.Settings);
    json.Key("Installers").BeginArray();
    for (const TInstallWare& installer : header.Settings.Installers) {
        WriteJsonInstaller(json, installer);
    }
    json.EndArray();
    json.Key("Pages").BeginArray();
    for (const TAutoFormInfo& page : header.Pages) {
        json.BeginObject();
        WriteJsonText(json, "Name", page.Name);
        json.Key("Kind").Value(page.Kind);
        json.Key("Position").Value(page.Position);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

} // namespace carvelle
