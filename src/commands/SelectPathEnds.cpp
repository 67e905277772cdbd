#include "commands/SelectPathEnds.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

bool SelectPathEnds(const GraphDocument& graf, UserPrompts& prompts, int& first, int& second)
{
    // List entry k names vertex k + 1.
    QStringList names;
    for (int v = 1; v <= graf.VertexCount; ++v)
        names.append(graf.VertexName(v));
    // The list is filled once, for both questions.
    int index = 0;
    auto choose = [&](const char* captionKey, int& vertex) {
        if (!prompts.ChooseVertex(Translate(QLatin1String(captionKey)), names, index))
            return false;
        if (index < 0 || index >= names.size())
            return false;
        vertex = index + 1;
        return true;
    };
    int start = 0, finish = 0;
    if (!choose("Select_first_point", start))
        return false;
    // The end must differ from the start: the next vertex is proposed, the first after the last.
    if (names.size() > 1)
        index = (index + 1) % int(names.size());
    if (!choose("Select_finish_point", finish))
        return false;
    if (start == finish) {
        prompts.ShowError(Translate("First_and_last_must_be_different"));
        return false;
    }
    first = start;
    second = finish;
    return true;
}
