#include "questionnaire/report_template.h"

#include "report/error.h"
#include "report/template_loader.h"

namespace lk63 {
namespace {

// Positions and sizes in report pixels relative to the band, band tops in the
// page design; fonts as stored heights (-13 is 10 pt, -16 12 pt, -19 14 pt,
// -21 16 pt, -1 1 pt). The bands are listed in their stored order.
constexpr std::string_view kDescription = R"lk63(
<TrpReport Name="rpReport1" Version="1.0" DotMatrixReport="False" ScriptLanguage="Pascal" ScriptText="begin&#13;&#10;&#13;&#10;end.&#13;&#10;" Style="">
  <Datasets>
    <item DataSet="rpUserDataSet2" DataSetName="rpUserDataSet1"/>
    <item DataSet="rpUserDataSet1" DataSetName="rpUserDataSet1"/>
    <item DataSet="rpUserDataSet3" DataSetName="rpUserDataSet3"/>
  </Datasets>
  <Variables>
    <item Name=" Опросный лист"/>
    <item Name="Описание"/>
    <item Name="Код для заказа"/>
    <item Name="Наименование организации" Value=""/>
    <item Name="Адрес и номер телефона организации" Value=""/>
    <item Name="ФИО контактного лица" Value=""/>
    <item Name="Количество данного типоисполнения" Value=""/>
    <item Name="Дополнительные сведения" Value=""/>
  </Variables>
  <TrpDataPage Name="Data" l="0" t="0" w="1000" h="1000"/>
  <TrpReportPage Name="Page1" Orientation="poPortrait" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10">
    <TrpHeader Name="Header1" l="0" t="287.24428" w="718.1107" h="30.23624" FillType="ftBrush">
      <TrpMemoView Name="Memo1" l="0" t="7.55906" w="718.1107" h="22.67718" Font.Name="Arial" Font.Height="-16" Font.Style="1" ParentFont="False" Frame.Typ="15" Text="1 Автоматический выключатель"/>
    </TrpHeader>
    <TrpMasterData Name="MasterData1" l="0" t="340.1577" w="718.1107" h="18.89765" FillType="ftBrush" DataSet="rpUserDataSet1" RowCount="0" Stretched="True">
      <TrpMemoView Name="Memo2" l="0" t="0" w="362.83488" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" DataSet="rpUserDataSet1" DataField="Param" GapX="5" StretchMode="smMaxHeight" Text="[rpUserDataSet1.&quot;Param&quot;]"/>
      <TrpMemoView Name="Memo3" l="362.83488" t="0" w="355.27582" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" DataSet="rpUserDataSet1" DataField="Value" GapX="5" StretchMode="smMaxHeight" Text="[rpUserDataSet1.&quot;Value&quot;]"/>
    </TrpMasterData>
    <TrpHeader Name="Header2" l="0" t="381.73253" w="718.1107" h="30.23624" FillType="ftBrush">
      <TrpMemoView Name="Memo4" l="0" t="7.55906" w="718.1107" h="22.67716535" Font.Name="Arial" Font.Height="-16" Font.Style="1" ParentFont="False" Frame.Typ="15" Text="2 Аксессуары"/>
    </TrpHeader>
    <TrpMasterData Name="MasterData2" l="0" t="434.64595" w="718.1107" h="18.89765" FillType="ftBrush" DataSet="rpUserDataSet2" RowCount="0" Stretched="True">
      <TrpMemoView Name="Memo5" l="0" t="0" w="362.83488" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" DataSet="rpUserDataSet2" DataField="Param" GapX="5" StretchMode="smMaxHeight" Text="[rpUserDataSet1.&quot;Param&quot;]"/>
      <TrpMemoView Name="Memo6" l="362.83488" t="0" w="355.27582" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" DataSet="rpUserDataSet2" DataField="Value" GapX="5" StretchMode="smMaxHeight" Text="[rpUserDataSet1.&quot;Value&quot;]"/>
    </TrpMasterData>
    <TrpFooter Name="Footer1" l="0" t="476.22078" w="718.1107" h="75.5906" FillType="ftBrush" Child="Child1" Stretched="True">
      <TrpMemoView Name="Memo19" l="0" t="6.55906" w="362.83488" h="18.89765" Font.Name="Arial" Font.Height="-13" Font.Style="1" ParentFont="False" Frame.Typ="15" DataSet="rpUserDataSet2" Text="Количество выключателей, шт."/>
      <TrpMemoView Name="Memo20" l="362.83488" t="6.55906" w="355.27582" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" DataSet="rpUserDataSet2" GapX="5" Text="[Количество данного типоисполнения]"/>
      <TrpMemoView Name="Memo7" l="0" t="34.01577" w="718.1107" h="22.67716535" Font.Name="Arial" Font.Height="-16" Font.Style="1" ParentFont="False" Frame.Typ="15" Text="Примечание"/>
      <TrpMemoView Name="Memo8" l="0" t="56.69295" w="718.1107" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" GapX="5" StretchMode="smActualHeight" Text="[Дополнительные сведения]"/>
    </TrpFooter>
    <TrpChild Name="Child1" l="0" t="574.48856" w="718.1107" h="49.13383874" FillType="ftBrush" Child="Child5" Stretched="True">
      <TrpMemoView Name="Memo9" l="0" t="7.22047" w="718.1107" h="22.67716535" Font.Name="Arial" Font.Height="-16" Font.Style="1" ParentFont="False" Frame.Typ="15" Text="Описание"/>
      <TrpMemoView Name="Memo24" l="0" t="29.89765" w="718.1107" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" GapX="5" StretchMode="smActualHeight" Text="[Описание]"/>
    </TrpChild>
    <TrpMasterData Name="MasterData3" l="0" t="699.21305" w="718.1107" h="18.89765" FillType="ftBrush" DataSet="rpUserDataSet3" RowCount="0" AllowSplit="True" Stretched="True">
      <TrpMemoView Name="Memo12" l="0" t="0" w="718.1107" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="3" DataSet="rpUserDataSet3" DataField="line" GapX="5" StretchMode="smActualHeight" Text="[rpUserDataSet3.&quot;line&quot;]"/>
    </TrpMasterData>
    <TrpFooter Name="Footer2" l="0" t="740.78788" w="718.1107" h="22.67718" FillType="ftBrush" KeepChild="True">
      <TrpLineView Name="Line1" l="0" t="0" w="718.1107" h="0" Fill.BackColor="0" Frame.Typ="4"/>
      <TrpMemoView Name="Memo10" l="566.9295" t="7.55906" w="151.1812" h="15.11811024" Font.Name="Arial" Font.Height="-1" ParentFont="False" GapX="5" HAlign="haRight" WordWrap="False" StretchMode="smActualHeight" Text="[Код для заказа]"/>
    </TrpFooter>
    <TrpReportTitle Name="ReportTitle1" l="0" t="18.89765" w="718.1107" h="83.14966" FillType="ftBrush" Child="Child2" KeepChild="True">
      <TrpMemoView Name="Memo13" l="0" t="0" w="718.1107" h="26.45671" Font.Name="Arial" Font.Height="-21" Font.Color="8210719" Font.Style="1" ParentFont="False" Frame.Typ="15" Fill.BackColor="15853019" HAlign="haCenter" Text="Автоматические выключатели в литом корпусе серии ЛК63-19"/>
      <TrpMemoView Name="Memo14" l="0" t="26.45671" w="718.1107" h="26.45671" Font.Name="Arial" Font.Height="-19" Font.Color="8421504" Font.Style="1" ParentFont="False" HAlign="haCenter" Text="Опросный лист"/>
      <TrpMemoView Name="Memo15" l="0" t="60.47248" w="718.1107" h="22.67718" Font.Name="Arial" Font.Height="-16" Font.Style="1" ParentFont="False" Frame.Typ="15" Text="Данные организации, заполнившей опросный лист"/>
    </TrpReportTitle>
    <TrpChild Name="Child2" l="0" t="124.72449" w="718.1107" h="18.89765" FillType="ftBrush" Child="Child3" KeepChild="True" Stretched="True">
      <TrpMemoView Name="Memo21" l="0" t="0" w="272.12616" h="18.89765" Font.Name="Arial" Font.Height="-13" Font.Style="1" ParentFont="False" Frame.Typ="15" GapX="5" StretchMode="smMaxHeight" Text="Наименование организации"/>
      <TrpMemoView Name="Memo16" l="272.12616" t="0" w="445.98454" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" GapX="5" StretchMode="smActualHeight" Text="[Наименование организации]"/>
    </TrpChild>
    <TrpChild Name="Child3" l="0" t="166.29932" w="718.1107" h="18.89765" FillType="ftBrush" Child="Child4" KeepChild="True" Stretched="True">
      <TrpMemoView Name="Memo22" l="0" t="0" w="272.12616" h="18.89765" Font.Name="Arial" Font.Height="-13" Font.Style="1" ParentFont="False" Frame.Typ="15" GapX="5" StretchMode="smMaxHeight" Text="Адрес и номер телефона организации"/>
      <TrpMemoView Name="Memo17" l="272.12616" t="0" w="445.98454" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" GapX="5" StretchMode="smActualHeight" Text="[Адрес и номер телефона организации]"/>
    </TrpChild>
    <TrpChild Name="Child4" l="0" t="207.87415" w="718.1107" h="18.89765" FillType="ftBrush" KeepChild="True" Stretched="True">
      <TrpMemoView Name="Memo23" l="0" t="0" w="272.12616" h="18.89765" Font.Name="Arial" Font.Height="-13" Font.Style="1" ParentFont="False" Frame.Typ="15" GapX="5" StretchMode="smMaxHeight" Text="ФИО контактного лица"/>
      <TrpMemoView Name="Memo18" l="272.12616" t="0" w="445.98454" h="18.89765" Font.Name="Arial" Font.Height="-13" ParentFont="False" Frame.Typ="15" GapX="5" StretchMode="smActualHeight" Text="[ФИО контактного лица]"/>
    </TrpChild>
    <TrpChild Name="Child5" l="0" t="646.29963" w="718.1107" h="30.23624" FillType="ftBrush">
      <TrpMemoView Name="Memo11" l="0" t="8.33859" w="718.1107" h="22.67716535" Font.Name="Arial" Font.Height="-16" Font.Style="1" ParentFont="False" Frame.Typ="15" Text="Структурный состав"/>
    </TrpChild>
  </TrpReportPage>
</TrpReport>
)lk63";

}  // namespace

std::string_view QuestionnaireReportDescription() { return kDescription; }

std::unique_ptr<TrpReport> BuildQuestionnaireReport(TrpUserDataSet& rpUserDataSet1, TrpUserDataSet& rpUserDataSet2,
                                                    TrpUserDataSet& rpUserDataSet3) {
    TrpTemplateLoader loader;
    loader.RegisterDataSet("rpUserDataSet1", rpUserDataSet1);
    loader.RegisterDataSet("rpUserDataSet2", rpUserDataSet2);
    loader.RegisterDataSet("rpUserDataSet3", rpUserDataSet3);
    auto report = loader.Load(kDescription);
    // The description is part of the program: anything left out is a fault of
    // the program, not of the user's data.
    if (!loader.Problems().empty()) {
        std::string message = "The questionnaire template does not build:";
        for (const auto& p : loader.Problems()) message += "\n" + p;
        throw TrpError(message);
    }
    return report;
}

}  // namespace lk63
