<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="it_IT">
<context>
    <name>sonvale</name>
    <message>
        <source>Veicoli Leggeri</source>
        <translation>Light vehicles</translation>
    </message>
    <message>
        <source>Veicoli Pesanti</source>
        <translation>Heavy vehicles</translation>
    </message>
    <message>
        <source>Giorno</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Notte</source>
        <translation>Night</translation>
    </message>
    <message>
        <source>Percentuale autovetture</source>
        <translation>Share of cars</translation>
    </message>
    <message>
        <source>Percentuale motocicli</source>
        <translation>Share of motorcycles</translation>
    </message>
    <message>
        <source>Percentuale camion 2 assi</source>
        <translation>Share of 2-axle lorries</translation>
    </message>
    <message>
        <source>Percentuale camion 3 assi</source>
        <translation>Share of 3-axle lorries</translation>
    </message>
    <message>
        <source>Percentuale TIR</source>
        <translation>Share of articulated lorries</translation>
    </message>
    <message>
        <source>Rapp. Traffico diurno / notturno</source>
        <translation>Ratio day / night traffic</translation>
    </message>
    <message>
        <source>Rapp. Traffico 24h / Traffico O.d.P.</source>
        <translation>Ratio 24 h traffic / peak-hour traffic</translation>
    </message>
    <message>
        <source>Massima distanza Sorg./Ricev. (m)</source>
        <translation>Maximum source-receiver distance (m)</translation>
    </message>
    <message>
        <source>Accorpa i flussi nelle due direzioni di uno stesso arco</source>
        <translation>Merge the flows of both directions of an arc</translation>
    </message>
    <message>
        <source>Limita Area ai plans gia&apos; caricati</source>
        <translation>Limit the area to the plans already loaded</translation>
    </message>
    <message>
        <source>Riconoscimento strade gia&apos; caricate</source>
        <translation>Recognise roads already loaded</translation>
    </message>
    <message>
        <source>Formato dati &quot;ante operam&quot;</source>
        <translation>&quot;Before works&quot; data format</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Opzioni CSV</source>
        <translation>CSV options</translation>
    </message>
    <message>
        <source>Delta L (dB) Diurno/Notturno</source>
        <translation>Delta L (dB) day/night</translation>
    </message>
    <message>
        <source>Nome del File</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>Distanza dalla sorgente</source>
        <translation>Distance from the source</translation>
    </message>
    <message>
        <source>7.5m (Liv. Emissione)</source>
        <translation>7.5 m (emission level)</translation>
    </message>
    <message>
        <source>semilarghezza strada (Liv. in Facciata)</source>
        <translation>half road width (façade level)</translation>
    </message>
    <message>
        <source>Periodo</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Diurno</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Notturno</source>
        <translation>Night</translation>
    </message>
    <message>
        <source>OK - Esegui</source>
        <translation>OK - Run</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Calcolo Livelli di Emissione</source>
        <translation>Emission Level Calculation</translation>
    </message>
    <message>
        <source>Introduci l&apos;anno a cui si riferisce lo scenario simulato</source>
        <translation>Enter the year of the simulated scenario</translation>
    </message>
    <message>
        <source>Modalita&apos; &quot;Appendi&quot;</source>
        <translation>Mode &quot;Append&quot;</translation>
    </message>
    <message>
        <source>Modalita&apos; &quot;Inserisci&quot;</source>
        <translation>Mode &quot;Insert&quot;</translation>
    </message>
    <message>
        <source>Modalita&apos; &quot;Rimpiazza&quot;</source>
        <translation>Mode &quot;Replace&quot;</translation>
    </message>
    <message>
        <source>Modalita&apos; &quot;Limita ai Plans&quot;</source>
        <translation>Mode &quot;Limit to plans&quot;</translation>
    </message>
    <message>
        <source>Modalita&apos; &quot;Riconosci ent. presenti&quot;</source>
        <translation>Mode &quot;Recognise existing entities&quot;</translation>
    </message>
    <message>
        <source>Modalita&apos; &quot;Accorpa le 2 direzioni&quot;</source>
        <translation>Mode &quot;Merge both directions&quot;</translation>
    </message>
    <message>
        <source>Mappatura su piano a quota Z costante</source>
        <translation>Map on a plane at constant height Z</translation>
    </message>
    <message>
        <source>Mappatura seguendo l&apos;altimetria del terreno</source>
        <translation>Map following the terrain elevation</translation>
    </message>
    <message>
        <source>Mappatura su sezione verticale</source>
        <translation>Map on a vertical section</translation>
    </message>
    <message>
        <source>Dati sulla griglia orizzontale</source>
        <translation>Horizontal grid</translation>
    </message>
    <message>
        <source> Xmin</source>
        <translation> Xmin</translation>
    </message>
    <message>
        <source> Xmax</source>
        <translation> Xmax</translation>
    </message>
    <message>
        <source> Ymin</source>
        <translation> Ymin</translation>
    </message>
    <message>
        <source> Ymax</source>
        <translation> Ymax</translation>
    </message>
    <message>
        <source> N. divis. X</source>
        <translation> Divisions in X</translation>
    </message>
    <message>
        <source> N. divis. Y</source>
        <translation> Divisions in Y</translation>
    </message>
    <message>
        <source> Delta X</source>
        <translation> Delta X</translation>
    </message>
    <message>
        <source> Delta Y</source>
        <translation> Delta Y</translation>
    </message>
    <message>
        <source> Quota del piano di mappatura (m)  </source>
        <translation> Height of the mapping plane (m)  </translation>
    </message>
    <message>
        <source>Imposta plan. N. </source>
        <translation>Set plan no. </translation>
    </message>
    <message>
        <source>Dati sul file .GRD contenente le informazioni plani-altimetriche</source>
        <translation>.GRD file holding the terrain elevation</translation>
    </message>
    <message>
        <source> Sovralzo sul terreno (m)  </source>
        <translation> Height above the terrain (m)  </translation>
    </message>
    <message>
        <source>Dati sulla sezione verticale</source>
        <translation>Vertical section</translation>
    </message>
    <message>
        <source> Imposta sezione N.</source>
        <translation> Set section no.</translation>
    </message>
    <message>
        <source> N. div. Or</source>
        <translation> Divisions along</translation>
    </message>
    <message>
        <source> N. div. Z</source>
        <translation> Divisions in Z</translation>
    </message>
    <message>
        <source> Delta Or</source>
        <translation> Delta along</translation>
    </message>
    <message>
        <source> Delta Z</source>
        <translation> Delta Z</translation>
    </message>
    <message>
        <source> Z1</source>
        <translation> Z1</translation>
    </message>
    <message>
        <source> Z2</source>
        <translation> Z2</translation>
    </message>
    <message>
        <source>Opzioni di Calcolo</source>
        <translation>Calculation options</translation>
    </message>
    <message>
        <source>Calcolo diffraz. barriere</source>
        <translation>Barrier diffraction</translation>
    </message>
    <message>
        <source>Calcolo diffraz. case</source>
        <translation>Building diffraction</translation>
    </message>
    <message>
        <source>Azzera emissione strade con pavim. standard</source>
        <translation>Zero emission of roads with standard pavement</translation>
    </message>
    <message>
        <source>Ignora rid. asf. fonoass.</source>
        <translation>Ignore low-noise pavement reduction</translation>
    </message>
    <message>
        <source>Azzera emissione strade con pavim. fonoass.</source>
        <translation>Zero emission of roads with low-noise pavement</translation>
    </message>
    <message>
        <source>Ignora Strade Fisse</source>
        <translation>Ignore fixed roads</translation>
    </message>
    <message>
        <source> Massima distanza Sorg./Ricev.da considerare (m)</source>
        <translation> Maximum source-receiver distance (m)</translation>
    </message>
    <message>
        <source>Anno:</source>
        <translation>Year:</translation>
    </message>
    <message>
        <source>Calcolo con Sonvale (lento)</source>
        <translation>Calculate with Sonvale (slow)</translation>
    </message>
    <message>
        <source>Calcolo con Beamrun (veloce)</source>
        <translation>Calculate with Beamrun (fast)</translation>
    </message>
    <message>
        <source>Calcolo con mod. Interim (veloce)</source>
        <translation>Calculate with the Interim model (fast)</translation>
    </message>
    <message>
        <source>Calcolo con mod. Imagine (lento)</source>
        <translation>Calculate with the Imagine model (slow)</translation>
    </message>
    <message>
        <source>Esecuzione Mappatura .GRD</source>
        <translation>Grid Noise Map (.GRD)</translation>
    </message>
    <message>
        <source>Scegli il file di output (.GRD)</source>
        <translation>Choose the output file (.GRD)</translation>
    </message>
    <message>
        <source>Scegli il file contenente l&apos;altimetria (.GRD)</source>
        <translation>Choose the terrain elevation file (.GRD)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nuovo</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Apri &amp;SVP...</source>
        <translation>&amp;Open SVP...</translation>
    </message>
    <message>
        <source>&amp;Salva SVP...</source>
        <translation>&amp;Save SVP...</translation>
    </message>
    <message>
        <source>Salva &amp;lista...</source>
        <translation>Save &amp;list...</translation>
    </message>
    <message>
        <source>&amp;Apri Ray...</source>
        <translation>Open &amp;Ray...</translation>
    </message>
    <message>
        <source>Salva &amp;Ray...</source>
        <translation>Save R&amp;ay...</translation>
    </message>
    <message>
        <source>E&amp;sci</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Modifica</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Copia</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Pack 6 GRD files</source>
        <translation>Pack 6 GRD files</translation>
    </message>
    <message>
        <source>&amp;Editazione Sonvale.ini</source>
        <translation>Edit &amp;Sonvale.ini</translation>
    </message>
    <message>
        <source>&amp;Visualizza</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Zoom Tutto</source>
        <translation>Zoom All</translation>
    </message>
    <message>
        <source>Zoom Indietro</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Lunghezza Barriere</source>
        <translation>Barrier Lengths</translation>
    </message>
    <message>
        <source>Legenda</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>&amp;Importa-Esporta</source>
        <translation>&amp;Import-Export</translation>
    </message>
    <message>
        <source>Importa &amp;DXF completo...</source>
        <translation>Import complete &amp;DXF...</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Strade...</source>
        <translation>Import DXF &amp;Roads...</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Binari...</source>
        <translation>Import DXF Rail &amp;Tracks...</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Case...</source>
        <translation>Import DXF &amp;Buildings...</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Barriere...</source>
        <translation>Import DXF B&amp;arriers...</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Punti...</source>
        <translation>Import DXF Receiver &amp;Points...</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Sorgenti</source>
        <translation>Import DXF Point &amp;Sources</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Incroci...</source>
        <translation>Import DXF &amp;Crossings...</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Sezioni...</source>
        <translation>Import DXF Sectio&amp;ns...</translation>
    </message>
    <message>
        <source>Importa DXF &amp;Echoray...</source>
        <translation>Import DXF &amp;Echoray...</translation>
    </message>
    <message>
        <source>Importa CSV &amp;Nodes (Trips)...</source>
        <translation>Import CSV &amp;Nodes (Trips)...</translation>
    </message>
    <message>
        <source>Importa CSV &amp;Arcs (Trips)...</source>
        <translation>Import CSV Ar&amp;cs (Trips)...</translation>
    </message>
    <message>
        <source>Importa CSV Streets (TeleAtlas)...</source>
        <translation>Import CSV Streets (TeleAtlas)...</translation>
    </message>
    <message>
        <source>Importa CSV Traffic (CR-MN)...</source>
        <translation>Import CSV Traffic (CR-MN)...</translation>
    </message>
    <message>
        <source>Importa CSV Punti...</source>
        <translation>Import CSV Receiver Points...</translation>
    </message>
    <message>
        <source>S&amp;alva DXF completo...</source>
        <translation>Save complete D&amp;XF...</translation>
    </message>
    <message>
        <source>Salva File .&amp;BLN...</source>
        <translation>Save .&amp;BLN File...</translation>
    </message>
    <message>
        <source>Esporta Punti .SCR...</source>
        <translation>Export Receiver Points .SCR...</translation>
    </message>
    <message>
        <source>Converti DXF in TXT (X,Y,Z)...</source>
        <translation>Convert DXF to TXT (X,Y,Z)...</translation>
    </message>
    <message>
        <source>&amp;Dati di Traffico</source>
        <translation>&amp;Traffic Data</translation>
    </message>
    <message>
        <source>&amp;Strade...</source>
        <translation>&amp;Roads...</translation>
    </message>
    <message>
        <source>&amp;Binari...</source>
        <translation>Rail &amp;Tracks...</translation>
    </message>
    <message>
        <source>&amp;Sorgenti Concentrate...</source>
        <translation>Point &amp;Sources...</translation>
    </message>
    <message>
        <source>C&amp;ancella Dati</source>
        <translation>C&amp;lear Data</translation>
    </message>
    <message>
        <source>&amp;Cancella Tutto</source>
        <translation>Clear &amp;All</translation>
    </message>
    <message>
        <source>Cancella V&amp;1</source>
        <translation>Clear V&amp;1</translation>
    </message>
    <message>
        <source>Cancella V&amp;2</source>
        <translation>Clear V&amp;2</translation>
    </message>
    <message>
        <source>Cancella V&amp;3</source>
        <translation>Clear V&amp;3</translation>
    </message>
    <message>
        <source>Cancella V&amp;4</source>
        <translation>Clear V&amp;4</translation>
    </message>
    <message>
        <source>Cancella V&amp;5</source>
        <translation>Clear V&amp;5</translation>
    </message>
    <message>
        <source>Copia da V4 a V2</source>
        <translation>Copy V4 to V2</translation>
    </message>
    <message>
        <source>Cancella strade senza traffico</source>
        <translation>Delete roads without traffic</translation>
    </message>
    <message>
        <source>&amp;Calcolo</source>
        <translation>&amp;Calculation</translation>
    </message>
    <message>
        <source>&amp;Mappa (.GRD)</source>
        <translation>&amp;Map (.GRD)</translation>
    </message>
    <message>
        <source>&amp;Punti (.DAT)</source>
        <translation>Receiver &amp;Points (.DAT)</translation>
    </message>
    <message>
        <source>&amp;Livelli di Emissione (.DXF)</source>
        <translation>&amp;Emission Levels (.DXF)</translation>
    </message>
    <message>
        <source>&amp;Aiuto</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Contenuti</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source> Scelta del tipo di punti </source>
        <translation> Receiver points to use </translation>
    </message>
    <message>
        <source>Utilizzo le entità &quot;PUNTI&quot; già definite all&apos;atto dell&apos;importazione DXF - Punti</source>
        <translation>Use the receiver &quot;PUNTI&quot; entities loaded by the DXF receiver-point import</translation>
    </message>
    <message>
        <source>Calcolo diffrazione barriere</source>
        <translation>Barrier diffraction</translation>
    </message>
    <message>
        <source>Calcolo diffrazione case</source>
        <translation>Building diffraction</translation>
    </message>
    <message>
        <source>Ignora riduz. asfalto fonoass.</source>
        <translation>Ignore low-noise pavement reduction</translation>
    </message>
    <message>
        <source> Max dist. Sorg./Ricev.da considerare (m)</source>
        <translation> Maximum source-receiver distance (m)</translation>
    </message>
    <message>
        <source>Anno</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>Calcola</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Copia su Appunti</source>
        <translation>Copy to Clipboard</translation>
    </message>
    <message>
        <source>Salva  ...</source>
        <translation>Save  ...</translation>
    </message>
    <message>
        <source>Calcolo per Punti</source>
        <translation>Receiver Point Calculation</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>OK - Close</source>
        <translation>OK - Close</translation>
    </message>
    <message>
        <source>Wait...</source>
        <translation>Wait...</translation>
    </message>
    <message>
        <source>Load a Echoray RAY File</source>
        <translation>Load an Echoray RAY File</translation>
    </message>
    <message>
        <source>Scegli il file di output (.RAY)</source>
        <translation>Choose the output file (.RAY)</translation>
    </message>
    <message>
        <source>Nome del File </source>
        <translation>File name </translation>
    </message>
    <message>
        <source>Creazione Automatica Griglia di Ricevitori</source>
        <translation>Automatic receiver grid</translation>
    </message>
    <message>
        <source>RECEIVERS</source>
        <translation>RECEIVERS</translation>
    </message>
    <message>
        <source>PUNTI</source>
        <translation>PUNTI (receiver points)</translation>
    </message>
    <message>
        <source>Mappatura regolare in pianta o sezione</source>
        <translation>Regular grid on a plan or section</translation>
    </message>
    <message>
        <source>X1</source>
        <translation>X1</translation>
    </message>
    <message>
        <source>Y1</source>
        <translation>Y1</translation>
    </message>
    <message>
        <source>Z1</source>
        <translation>Z1</translation>
    </message>
    <message>
        <source>X2</source>
        <translation>X2</translation>
    </message>
    <message>
        <source>Y2</source>
        <translation>Y2</translation>
    </message>
    <message>
        <source>Z2</source>
        <translation>Z2</translation>
    </message>
    <message>
        <source>N. divis. Orizz.</source>
        <translation>Horizontal divisions</translation>
    </message>
    <message>
        <source>N. divis. Vertic.</source>
        <translation>Vertical divisions</translation>
    </message>
    <message>
        <source>Plan / Sezione</source>
        <translation>Plan / Section</translation>
    </message>
    <message>
        <source>RAY file options</source>
        <translation>RAY file options</translation>
    </message>
    <message>
        <source>Editazione dati traffico stradale</source>
        <translation>Road Traffic Data</translation>
    </message>
    <message>
        <source>Selezione Tratto Stradale</source>
        <translation>Road segment</translation>
    </message>
    <message>
        <source>Editazione dati sorgenti lineari</source>
        <translation>Line Source Data</translation>
    </message>
    <message>
        <source>Selezione Tratto Sorgente Lineare</source>
        <translation>Line source segment</translation>
    </message>
    <message>
        <source>Editazione dati sorgenti concentrate</source>
        <translation>Point Source Data</translation>
    </message>
    <message>
        <source>N. Sorg. Conc.</source>
        <translation>Point source no.</translation>
    </message>
    <message>
        <source>Scegli il file descrizione sorgente (.SPK)</source>
        <translation>Choose the source description file (.SPK)</translation>
    </message>
    <message>
        <source>Editazione dati traffico ferroviario</source>
        <translation>Railway Traffic Data</translation>
    </message>
    <message>
        <source>Selezione Tratto Ferroviario</source>
        <translation>Rail track segment</translation>
    </message>
    <message>
        <source>Strade</source>
        <translation>Roads</translation>
    </message>
    <message>
        <source>Case</source>
        <translation>Buildings</translation>
    </message>
    <message>
        <source>Label Case</source>
        <translation>Building Labels</translation>
    </message>
    <message>
        <source>Binari</source>
        <translation>Rail Tracks</translation>
    </message>
    <message>
        <source>Barriere</source>
        <translation>Barriers</translation>
    </message>
    <message>
        <source>Label Barriere</source>
        <translation>Barrier Labels</translation>
    </message>
    <message>
        <source>Punti</source>
        <translation>Receiver Points</translation>
    </message>
    <message>
        <source>Sorgenti</source>
        <translation>Point Sources</translation>
    </message>
    <message>
        <source>Incroci</source>
        <translation>Crossings</translation>
    </message>
    <message>
        <source>Sezioni</source>
        <translation>Sections</translation>
    </message>
    <message>
        <source>Echoray</source>
        <translation>Echoray</translation>
    </message>
    <message>
        <source>Stato</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Avanzamento</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Coordinate</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>Leq dB(A)</source>
        <translation>Leq dB(A)</translation>
    </message>
    <message>
        <source>Fai click &lt;destro&gt; sulla entità che vuoi editare...</source>
        <translation>&lt;Right&gt;-click the entity you want to edit...</translation>
    </message>
    <message>
        <source>Sei sicuro di voler cancellare i dati di traffico di tutti i veicoli stradali ?</source>
        <translation>Do you really want to delete the traffic of all road vehicles?</translation>
    </message>
    <message>
        <source>Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V1 (Autovetture) ?</source>
        <translation>Do you really want to delete the traffic of the V1 vehicles (cars)?</translation>
    </message>
    <message>
        <source>Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V2 (Camion a 2 assi) ?</source>
        <translation>Do you really want to delete the traffic of the V2 vehicles (2-axle lorries)?</translation>
    </message>
    <message>
        <source>Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V3 (Camion a 3 assi) ?</source>
        <translation>Do you really want to delete the traffic of the V3 vehicles (3-axle lorries)?</translation>
    </message>
    <message>
        <source>Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V4 (TIR) ?</source>
        <translation>Do you really want to delete the traffic of the V4 vehicles (articulated lorries)?</translation>
    </message>
    <message>
        <source>Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V5 (Motocicli) ?</source>
        <translation>Do you really want to delete the traffic of the V5 vehicles (motorcycles)?</translation>
    </message>
    <message>
        <source>Attenzione!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>Cancellazione Strade</source>
        <translation>Deleting Roads</translation>
    </message>
    <message>
        <source>La tabella </source>
        <translation>The table </translation>
    </message>
    <message>
        <source>Sto decodificando </source>
        <translation>Decoding </translation>
    </message>
    <message>
        <source>Importazione CSV</source>
        <translation>CSV import</translation>
    </message>
    <message>
        <source>Devi preventivamente importare le coordinate dei nodi...</source>
        <translation>Import the node coordinates first...</translation>
    </message>
    <message>
        <source>Attenzione !</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>La somma delle percentuali Legg. Giorno deve fare 100 !!!</source>
        <translation>The light-vehicle shares by day must add up to 100!</translation>
    </message>
    <message>
        <source>La somma delle percentuali Pes. Giorno deve fare 100 !!!</source>
        <translation>The heavy-vehicle shares by day must add up to 100!</translation>
    </message>
    <message>
        <source>La somma delle percentuali Leg. Notte deve fare 100 !!!</source>
        <translation>The light-vehicle shares by night must add up to 100!</translation>
    </message>
    <message>
        <source>La somma delle precentuali Pes. Notte deve fare 100 !!!</source>
        <translation>The heavy-vehicle shares by night must add up to 100!</translation>
    </message>
    <message>
        <source>Nessuna entità tipo </source>
        <translation>No entities of type </translation>
    </message>
    <message>
        <source>Funzione Rimpiazza</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Funzione Inserisci</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Non ci sono entità tipo </source>
        <translation>There are no entities of type </translation>
    </message>
    <message>
        <source>Sto salvando </source>
        <translation>Saving </translation>
    </message>
    <message>
        <source>Salvataggio completato del file </source>
        <translation>Saved the file </translation>
    </message>
    <message>
        <source>Vuoi salvare il file </source>
        <translation>Do you want to save the file </translation>
    </message>
    <message>
        <source>Sto leggendo </source>
        <translation>Reading </translation>
    </message>
    <message>
        <source>Sonvale Help</source>
        <translation>Sonvale Help</translation>
    </message>
    <message>
        <source>Il file di HELP non è ancora disponibile...</source>
        <translation>The HELP file is not available yet...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Scegli il file di output</source>
        <translation>Choose the output file</translation>
    </message>
    <message>
        <source>Scegli il file di definizione limite per i recettori</source>
        <translation>Choose the receiver limit file</translation>
    </message>
    <message>
        <source>Il file dei limiti </source>
        <translation>The limit file </translation>
    </message>
    <message>
        <source>Lettura file .RAY terminata - OK</source>
        <translation>RAY file read - OK</translation>
    </message>
    <message>
        <source>Sto Salvando </source>
        <translation>Saving </translation>
    </message>
    <message>
        <source>Salvataggio file .RAY terminato - OK</source>
        <translation>RAY file saved - OK</translation>
    </message>
    <message>
        <source>1-Asfalto Liscio</source>
        <translation>1-Smooth asphalt</translation>
    </message>
    <message>
        <source>2-Pave&apos;</source>
        <translation>2-Paving stones</translation>
    </message>
    <message>
        <source>3-Asfalto Fonoass.</source>
        <translation>3-Porous asphalt</translation>
    </message>
    <message>
        <source>4-Asfalto Basso Em.</source>
        <translation>4-Low-noise asphalt</translation>
    </message>
    <message>
        <source>&gt;=5%, Salita</source>
        <translation>&gt;=5%, uphill</translation>
    </message>
    <message>
        <source>&gt;=5%, Discesa</source>
        <translation>&gt;=5%, downhill</translation>
    </message>
    <message>
        <source> N.autovetture    (V1)</source>
        <translation> Cars                (V1)</translation>
    </message>
    <message>
        <source> N.camion 2 assi (V2)</source>
        <translation> 2-axle lorries    (V2)</translation>
    </message>
    <message>
        <source> N.camion 3 assi (V3)</source>
        <translation> 3-axle lorries    (V3)</translation>
    </message>
    <message>
        <source> N.TIR               (V4)</source>
        <translation> Articulated lorries (V4)</translation>
    </message>
    <message>
        <source> N.motocicli        (V5)</source>
        <translation> Motorcycles        (V5)</translation>
    </message>
    <message>
        <source>Cat.A - Autostrada</source>
        <translation>Cat.A - Motorway</translation>
    </message>
    <message>
        <source>Cat.B - Extraurb. princ.</source>
        <translation>Cat.B - Main rural road</translation>
    </message>
    <message>
        <source>Cat.C - Extraurb. sec.</source>
        <translation>Cat.C - Secondary rural road</translation>
    </message>
    <message>
        <source>Cat.D - Urbana scorr.</source>
        <translation>Cat.D - Urban through road</translation>
    </message>
    <message>
        <source>Cat.E - Urbana quart.</source>
        <translation>Cat.E - Urban district road</translation>
    </message>
    <message>
        <source>Cat.F - Locale</source>
        <translation>Cat.F - Local road</translation>
    </message>
    <message>
        <source>Seleziono automaticamente la modalita&apos;</source>
        <translation>Choosing the mode automatically</translation>
    </message>
    <message>
        <source>un punto senza la sua coordinata Y non è stato usato</source>
        <translation>one point without its Y coordinate was not used</translation>
    </message>
    <message>
        <source>Impossibile salvare </source>
        <translation>Cannot save </translation>
    </message>
    <message>
        <source>Salvo i poligoni di blanking ?</source>
        <translation>Save the blanking polygons?</translation>
    </message>
    <message>
        <source>Salvo le barriere ?</source>
        <translation>Save the barriers?</translation>
    </message>
    <message>
        <source>Salvo le case ?</source>
        <translation>Save the buildings?</translation>
    </message>
    <message>
        <source>Salvo le strade ?</source>
        <translation>Save the roads?</translation>
    </message>
    <message>
        <source>Salvo i binari ?</source>
        <translation>Save the rail tracks?</translation>
    </message>
    <message>
        <source>Salvataggio BLN</source>
        <translation>BLN export</translation>
    </message>
    <message>
        <source>Sto esportando </source>
        <translation>Exporting </translation>
    </message>
    <message>
        <source>Sto convertendo </source>
        <translation>Converting </translation>
    </message>
    <message>
        <source>Conversione effettuata!</source>
        <translation>Conversion done!</translation>
    </message>
    <message>
        <source>Lunghezza Complessiva Barriere</source>
        <translation>Total Barrier Length</translation>
    </message>
    <message>
        <source>Il numero delle sorgenti concentrate va da 0 a </source>
        <translation>The number of point sources runs from 0 to </translation>
    </message>
    <message>
        <source>Source Manager</source>
        <translation>Source Manager</translation>
    </message>
    <message>
        <source>1-Bin. cont. saldato su ballast</source>
        <translation>1-Continuously welded rail on ballast</translation>
    </message>
    <message>
        <source>2-Binario con scambi o interr.</source>
        <translation>2-Track with switches or joints</translation>
    </message>
    <message>
        <source> tr.merci           (V1)</source>
        <translation> Freight trains      (V1)</translation>
    </message>
    <message>
        <source> tr.pass. locali  (V2)</source>
        <translation> Local passenger trains (V2)</translation>
    </message>
    <message>
        <source> tr.pass. l.perc. (V3)</source>
        <translation> Long-distance passenger trains (V3)</translation>
    </message>
    <message>
        <source>Elaborazione con Beamrun</source>
        <translation>Run with Beamrun</translation>
    </message>
    <message>
        <source>Lancia Beamrun ed attendi che finisca</source>
        <translation>Run Beamrun and wait for it to end</translation>
    </message>
    <message>
        <source>Lancia Beamrun in background e prosegui</source>
        <translation>Run Beamrun in the background and go on</translation>
    </message>
    <message>
        <source>Prepara lo script per esecuzione futura</source>
        <translation>Write the script to run later</translation>
    </message>
    <message>
        <source>Lancia Beamrun, attendi che finisca e visuallizza mappa</source>
        <translation>Run Beamrun, wait for it to end and show the map</translation>
    </message>
    <message>
        <source>Leq,7.5m (G/N)</source>
        <translation>Leq at 7.5 m (D/N)</translation>
    </message>
    <message>
        <source>Traffico diurno complessivo</source>
        <translation>Total day traffic</translation>
    </message>
    <message>
        <source>Traffico notturno complessivo</source>
        <translation>Total night traffic</translation>
    </message>
    <message>
        <source> Tipo di Pavimentazione</source>
        <translation> Pavement type</translation>
    </message>
    <message>
        <source> Pendenza (%, + | - )</source>
        <translation> Gradient (%, + | - )</translation>
    </message>
    <message>
        <source> hmed edifici lato Sinistro</source>
        <translation> Mean building height, left side</translation>
    </message>
    <message>
        <source> hmed edifici lato Destro</source>
        <translation> Mean building height, right side</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoom indietro</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Zoom avanti</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Imposta autom. i dati della strada precedente</source>
        <translation>Take over the data of the previous road</translation>
    </message>
    <message>
        <source>Sorgente n.</source>
        <translation>Source no.</translation>
    </message>
    <message>
        <source>Nome:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Successivo</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Precedente</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Preced.</source>
        <translation>Prev.</translation>
    </message>
    <message>
        <source>Success.</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Fine</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Tratto n.</source>
        <translation>Segment no.</translation>
    </message>
    <message>
        <source>Fisso</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>Leq giorno</source>
        <translation>Leq day</translation>
    </message>
    <message>
        <source>Leq notte</source>
        <translation>Leq night</translation>
    </message>
    <message>
        <source>Mappa</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Num.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Lungh.</source>
        <translation>Length</translation>
    </message>
    <message>
        <source> Tipo di Armamento</source>
        <translation> Track type</translation>
    </message>
    <message>
        <source>Imposta automaticamente i dati del binario precedente</source>
        <translation>Take over the data of the previous track</translation>
    </message>
    <message>
        <source>Importa layer &amp;GIS...</source>
        <translation>Import &amp;GIS layer...</translation>
    </message>
    <message>
        <source>Esporta layer GIS...</source>
        <translation>Export GIS layers...</translation>
    </message>
    <message>
        <source>Sistema di riferimento (EPSG)...</source>
        <translation>Coordinate reference system (EPSG)...</translation>
    </message>
    <message>
        <source>&amp;Operazioni su mappe (.GRD)...</source>
        <translation>Map &amp;arithmetic (.GRD)...</translation>
    </message>
    <message>
        <source>Esposizione facciate...</source>
        <translation>Façade exposure...</translation>
    </message>
    <message>
        <source>Esposizione facciate</source>
        <translation>Façade exposure</translation>
    </message>
    <message>
        <source>Esegui</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Popolazione (file CSV o layer GIS)</source>
        <translation>Population (CSV file or GIS layer)</translation>
    </message>
    <message>
        <source>Cartella dei risultati</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>Assegnazione abitanti</source>
        <translation>Assignment of residents</translation>
    </message>
    <message>
        <source>Ore giorno, sera, notte</source>
        <translation>Hours of day, evening, night</translation>
    </message>
    <message>
        <source>Altezza ricettori sul terreno (m)</source>
        <translation>Receiver height above ground (m)</translation>
    </message>
    <message>
        <source>Distanza dalla facciata (m)</source>
        <translation>Distance from the façade (m)</translation>
    </message>
    <message>
        <source>m² per abitante (stima, vuoto = nessuna)</source>
        <translation>m² per resident (estimate, empty = none)</translation>
    </message>
    <message>
        <source>Ho cancellato</source>
        <translation>Deleted</translation>
    </message>
    <message>
        <source> strade prive di traffico.</source>
        <translation> roads without traffic.</translation>
    </message>
    <message>
        <source> punti OK...</source>
        <translation> points OK...</translation>
    </message>
    <message>
        <source>Ho letto</source>
        <translation>Read</translation>
    </message>
    <message>
        <source> archi</source>
        <translation> arcs</translation>
    </message>
    <message>
        <source>Archi scartati perché i loro nodi mancano nella tabella dei nodi:</source>
        <translation>Arcs left out because their nodes are missing from the node table:</translation>
    </message>
    <message>
        <source>Importazione CSV non riuscita: </source>
        <translation>CSV import failed: </translation>
    </message>
    <message>
        <source>Sfoglia...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source> da rimpiazzare: layer non letto</source>
        <translation> to replace: layer not read</translation>
    </message>
    <message>
        <source>N. </source>
        <translation>No. </translation>
    </message>
    <message>
        <source> da Rimpiazzare: </source>
        <translation> to replace: </translation>
    </message>
    <message>
        <source> da rimpiazzare.</source>
        <translation> to replace.</translation>
    </message>
    <message>
        <source> da Inserire: </source>
        <translation> to insert: </translation>
    </message>
    <message>
        <source> da inserire.</source>
        <translation> to insert.</translation>
    </message>
    <message>
        <source>Numero non valido: </source>
        <translation>Invalid number: </translation>
    </message>
    <message>
        <source>La modalita&apos; &quot;Appendi&quot; non è selezionata, ma esistono già in memoria delle entità tipo </source>
        <translation>The &quot;Append&quot; mode is not selected, but there are already entities in memory of type </translation>
    </message>
    <message>
        <source>: esse verranno sovrascritte.<byte value="xd"/>Seleziono automaticamente la modalita&apos;&quot;Appendi&quot; ?</source>
        <translation>: they will be overwritten.<byte value="xd"/>Select the &quot;Append&quot; mode automatically?</translation>
    </message>
    <message>
        <source>Importazione DXF non riuscita: </source>
        <translation>DXF import failed: </translation>
    </message>
    <message>
        <source>Esposizione facciate: </source>
        <translation>Façade exposure: </translation>
    </message>
    <message>
        <source> punti...</source>
        <translation> points...</translation>
    </message>
    <message>
        <source>Esposizione facciate interrotta</source>
        <translation>Façade exposure stopped</translation>
    </message>
    <message>
        <source>Valore non valido: </source>
        <translation>Invalid value: </translation>
    </message>
    <message>
        <source>Impossibile leggere il progetto: </source>
        <translation>Cannot read the project: </translation>
    </message>
    <message>
        <source>Impossibile salvare il progetto: </source>
        <translation>Cannot save the project: </translation>
    </message>
    <message>
        <source>Impossibile scrivere </source>
        <translation>Cannot write </translation>
    </message>
    <message>
        <source>Scritto </source>
        <translation>Written </translation>
    </message>
    <message>
        <source>Esportazione GIS non riuscita: </source>
        <translation>GIS export failed: </translation>
    </message>
    <message>
        <source>Esporta GIS</source>
        <translation>Export GIS</translation>
    </message>
    <message>
        <source>GeoPackage|*.gpkg|Shapefile (un file per layer)|*.shp|GeoJSON (un file per layer)|*.geojson</source>
        <translation>GeoPackage|*.gpkg|Shapefile (one file per layer)|*.shp|GeoJSON (one file per layer)|*.geojson</translation>
    </message>
    <message>
        <source>Sovrascrivi</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>Accoda</source>
        <translation>Append</translation>
    </message>
    <message>
        <source>Inserisci</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Rimpiazza</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Scegliere un file GIS con almeno un layer.</source>
        <translation>Choose a GIS file with at least one layer.</translation>
    </message>
    <message>
        <source>Altezza non valida: </source>
        <translation>Invalid height: </translation>
    </message>
    <message>
        <source>Codice EPSG non valido: </source>
        <translation>Invalid EPSG code: </translation>
    </message>
    <message>
        <source>Importazione GIS non riuscita: </source>
        <translation>GIS import failed: </translation>
    </message>
    <message>
        <source>Importati </source>
        <translation>Imported </translation>
    </message>
    <message>
        <source>Importa layer GIS</source>
        <translation>Import GIS layer</translation>
    </message>
    <message>
        <source>File GIS|*.gpkg;*.shp;*.geojson;*.json;*.csv;*.kml;*.gml|Tutti i file|*.*</source>
        <translation>GIS files|*.gpkg;*.shp;*.geojson;*.json;*.csv;*.kml;*.gml|All files|*.*</translation>
    </message>
    <message>
        <source>(nessuno)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Somma energetica</source>
        <translation>Energy sum</translation>
    </message>
    <message>
        <source>Differenza (A - B)</source>
        <translation>Difference (A - B)</translation>
    </message>
    <message>
        <source>Eccedenza sul limite</source>
        <translation>Excess over the limit</translation>
    </message>
    <message>
        <source>La somma vuole almeno due mappe.</source>
        <translation>The sum needs at least two maps.</translation>
    </message>
    <message>
        <source>La differenza vuole due mappe, A e B.</source>
        <translation>The difference needs two maps, A and B.</translation>
    </message>
    <message>
        <source>L&apos;eccedenza vuole una mappa.</source>
        <translation>The excess needs one map.</translation>
    </message>
    <message>
        <source>Limite non valido: </source>
        <translation>Invalid limit: </translation>
    </message>
    <message>
        <source>Scegliere il file della nuova mappa.</source>
        <translation>Choose the file of the new map.</translation>
    </message>
    <message>
        <source>Scritta la mappa </source>
        <translation>Map written: </translation>
    </message>
    <message>
        <source>Operazione non riuscita: </source>
        <translation>Operation failed: </translation>
    </message>
    <message>
        <source>Operazioni su mappe</source>
        <translation>Map operations</translation>
    </message>
    <message>
        <source>Simulazione del rumore ambientale in ambito urbano.</source>
        <translation>Simulation of environmental noise in urban areas.</translation>
    </message>
    <message>
        <source>La configurazione non è stata riletta: </source>
        <translation>The configuration was not read again: </translation>
    </message>
    <message>
        <source>Sto mappando sul file </source>
        <translation>Mapping to the file </translation>
    </message>
    <message>
        <source>Numero di divisioni della griglia non valido (NdivX =</source>
        <translation>Invalid number of grid divisions (NdivX =</translation>
    </message>
    <message>
        <source>: servono almeno 1 divisione in X e 1 in Y</source>
        <translation>: at least 1 division in X and 1 in Y are needed</translation>
    </message>
    <message>
        <source>Numero di divisioni della sezione non valido (NdivO =</source>
        <translation>Invalid number of section divisions (NdivO =</translation>
    </message>
    <message>
        <source>: servono almeno 1 divisione lungo la sezione e 1 in altezza</source>
        <translation>: at least 1 division along the section and 1 in height are needed</translation>
    </message>
    <message>
        <source>Impossibile leggere il file altimetrico: </source>
        <translation>Cannot read the terrain file: </translation>
    </message>
    <message>
        <source>Mappa interrotta, impossibile scrivere il file </source>
        <translation>Map stopped, cannot write the file </translation>
    </message>
    <message>
        <source>Mappa interrotta (</source>
        <translation>Map stopped (</translation>
    </message>
    <message>
        <source> deve essere un numero intero compreso tra 1 e 32767.</source>
        <translation> must be a whole number from 1 to 32767.</translation>
    </message>
    <message>
        <source>DIN 18005</source>
        <translation>DIN 18005</translation>
    </message>
    <message>
        <source>NF S 31-130</source>
        <translation>NF S 31-130</translation>
    </message>
    <message>
        <source>END (direttiva 2002/49/CE)</source>
        <translation>END (Directive 2002/49/EC)</translation>
    </message>
    <message>
        <source>Uscite GIS non scritte: </source>
        <translation>GIS outputs not written: </translation>
    </message>
    <message>
        <source>Calcolo per punti interrotto: </source>
        <translation>Point calculation stopped: </translation>
    </message>
    <message>
        <source> righe in meno dei punti: quei punti sono stati confrontati senza limite</source>
        <translation> lines fewer than the points: those points were compared without a limit</translation>
    </message>
    <message>
        <source>Sistema di riferimento</source>
        <translation>Coordinate reference system</translation>
    </message>
    <message>
        <source>Salvare prima il progetto: il sistema di riferimento è tenuto in un file accanto al file del progetto.</source>
        <translation>Save the project first: the coordinate reference system is kept in a file beside the project file.</translation>
    </message>
    <message>
        <source>Codice EPSG del sistema di riferimento del progetto (vuoto: nessuno):</source>
        <translation>EPSG code of the project&apos;s coordinate reference system (empty: none):</translation>
    </message>
    <message>
        <source>Sistema di riferimento del progetto: </source>
        <translation>Project&apos;s coordinate reference system: </translation>
    </message>
    <message>
        <source>Nessun sistema di riferimento per il progetto</source>
        <translation>No coordinate reference system for the project</translation>
    </message>
    <message>
        <source>Impossibile leggere il file .RAY: </source>
        <translation>Cannot read the .RAY file: </translation>
    </message>
    <message>
        <source>Impossibile salvare il file .RAY: </source>
        <translation>Cannot save the .RAY file: </translation>
    </message>
    <message>
        <source> punti senza la loro coordinata Y non sono stati usati (il primo a questa riga)</source>
        <translation> points without their Y coordinate were not used (the first at this line)</translation>
    </message>
    <message>
        <source>Pack 6 GRD files non riuscito: </source>
        <translation>Pack 6 GRD files failed: </translation>
    </message>
    <message>
        <source>Conversione non riuscita: </source>
        <translation>Conversion failed: </translation>
    </message>
    <message>
        <source>La potenza sonora non è stata letta dal file descrizione sorgente: </source>
        <translation>The sound power was not read from the source description file: </translation>
    </message>
    <message>
        <source>Impossibile avviare emitdesk32: </source>
        <translation>Cannot start emitdesk32: </translation>
    </message>
    <message>
        <source>Impossibile avviare: </source>
        <translation>Cannot start: </translation>
    </message>
    <message>
        <source>Beamrun è terminato con il codice di uscita</source>
        <translation>Beamrun ended with exit code</translation>
    </message>
    <message>
        <source>Impossibile avviare Beamrun: </source>
        <translation>Cannot start Beamrun: </translation>
    </message>
    <message>
        <source>Selezionata: </source>
        <translation>Selected: </translation>
    </message>
    <message>
        <source>Classe %1 %2</source>
        <translation>Class %1 %2</translation>
    </message>
    <message>
        <source>giorno</source>
        <translation>day</translation>
    </message>
    <message>
        <source>notte</source>
        <translation>night</translation>
    </message>
    <message>
        <source>Lwa (giorno)</source>
        <translation>Lwa (day)</translation>
    </message>
    <message>
        <source>Lwa (notte)</source>
        <translation>Lwa (night)</translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation>&amp;File:</translation>
    </message>
    <message>
        <source>&amp;Layer:</source>
        <translation>&amp;Layer:</translation>
    </message>
    <message>
        <source>&amp;Tipo di entità:</source>
        <translation>Entity &amp;type:</translation>
    </message>
    <message>
        <source>Campi (campo dell&apos;entità: campo del layer)</source>
        <translation>Fields (entity field: layer field)</translation>
    </message>
    <message>
        <source>&amp;Altezza (m):</source>
        <translation>&amp;Height (m):</translation>
    </message>
    <message>
        <source>&amp;Sistema di riferimento (EPSG):</source>
        <translation>Coordinate reference &amp;system (EPSG):</translation>
    </message>
    <message>
        <source>&amp;Modo:</source>
        <translation>&amp;Mode:</translation>
    </message>
    <message>
        <source>Dalla &amp;riga:</source>
        <translation>From &amp;row:</translation>
    </message>
    <message>
        <source>OK - Importa</source>
        <translation>OK - Import</translation>
    </message>
    <message>
        <source>Uscite GIS</source>
        <translation>GIS outputs</translation>
    </message>
    <message>
        <source>GeoTIFF delle mappe</source>
        <translation>GeoTIFF of the maps</translation>
    </message>
    <message>
        <source>Isofone (GeoPackage)</source>
        <translation>Isophones (GeoPackage)</translation>
    </message>
    <message>
        <source>Schema colori:</source>
        <translation>Colour scheme:</translation>
    </message>
    <message>
        <source>Aggiungi...</source>
        <translation>Add...</translation>
    </message>
    <message>
        <source>Togli</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>&amp;Operazione:</source>
        <translation>&amp;Operation:</translation>
    </message>
    <message>
        <source>&amp;Mappe (A, B, ...):</source>
        <translation>&amp;Maps (A, B, ...):</translation>
    </message>
    <message>
        <source>&amp;Limite dB(A):</source>
        <translation>&amp;Limit dB(A):</translation>
    </message>
    <message>
        <source>&amp;Nuova mappa:</source>
        <translation>&amp;New map:</translation>
    </message>
    <message>
        <source>Num. %1 %2</source>
        <translation>No. %1 %2</translation>
    </message>
    <message>
        <source>Lungh. %1 %2</source>
        <translation>Length %1 %2</translation>
    </message>
    <message>
        <source>Zoom Area: </source>
        <translation>Zoom area: </translation>
    </message>
    <message>
        <source>dei nodi</source>
        <translation>of the nodes</translation>
    </message>
    <message>
        <source>dei punti</source>
        <translation>of the points</translation>
    </message>
    <message>
        <source>delle strade</source>
        <translation>of the roads</translation>
    </message>
    <message>
        <source> è piena (</source>
        <translation> is full (</translation>
    </message>
    <message>
        <source>: la riga </source>
        <translation>: line </translation>
    </message>
    <message>
        <source> di </source>
        <translation> of </translation>
    </message>
    <message>
        <source> non è stata importata</source>
        <translation> was not imported</translation>
    </message>
    <message>
        <source> righe di </source>
        <translation> lines of </translation>
    </message>
    <message>
        <source> dalla riga </source>
        <translation> from line </translation>
    </message>
    <message>
        <source> in poi, non sono state importate</source>
        <translation> on, were not imported</translation>
    </message>
    <message>
        <source>&quot;. Il numero deve essere compreso tra </source>
        <translation>&quot;. The number must be between </translation>
    </message>
    <message>
        <source> e </source>
        <translation> and </translation>
    </message>
    <message>
        <source> - Strada n. </source>
        <translation> - Road no. </translation>
    </message>
    <message>
        <source> parte</source>
        <translation> part</translation>
    </message>
    <message>
        <source> parti</source>
        <translation> parts</translation>
    </message>
    <message>
        <source> lasciata fuori</source>
        <translation> left out</translation>
    </message>
    <message>
        <source> lasciate fuori</source>
        <translation> left out</translation>
    </message>
    <message>
        <source>: la tabella </source>
        <translation>: the table </translation>
    </message>
    <message>
        <source> è piena</source>
        <translation> is full</translation>
    </message>
    <message>
        <source>: troppi vertici</source>
        <translation>: too many vertices</translation>
    </message>
    <message>
        <source> oltre l&apos;ultima riga</source>
        <translation> beyond the last row</translation>
    </message>
    <message>
        <source> (Rimpiazza non cambia il numero delle righe)</source>
        <translation> (Replace does not change the number of rows)</translation>
    </message>
    <message>
        <source> senza geometria utilizzabile</source>
        <translation> without usable geometry</translation>
    </message>
    <message>
        <source> elementi (</source>
        <translation> elements (</translation>
    </message>
    <message>
        <source> da </source>
        <translation> from </translation>
    </message>
    <message>
        <source> oggetti di </source>
        <translation> objects of </translation>
    </message>
    <message>
        <source>: i risultati non sono stati letti e i file </source>
        <translation>: the results were not read and the files </translation>
    </message>
    <message>
        <source> sono stati conservati</source>
        <translation> were kept</translation>
    </message>
    <message>
        <source>: resta </source>
        <translation>: it stays </translation>
    </message>
    <message>
        <source>Alcune entità Strade o Binari non sono state dotate di dati di emissione acustica - Proseguo comunque ?</source>
        <translation>Some Roads or Rail Tracks entities have no acoustic emission data - Go on anyway?</translation>
    </message>
    <message>
        <source>Alcune entità Strade, Binari o Concentrate non sono state dotate di dati di emissione acustica - Proseguo comunque ?</source>
        <translation>Some Roads, Rail Tracks or Point Sources entities have no acoustic emission data - Go on anyway?</translation>
    </message>
    <message>
        <source>Scegli il file di output (.DXF)</source>
        <translation>Choose the output file (.DXF)</translation>
    </message>
    <message>
        <source>: il nome deve finire in .gpkg, .shp, .geojson o .json</source>
        <translation>: the name must end in .gpkg, .shp, .geojson or .json</translation>
    </message>
    <message>
        <source> non è un sistema di riferimento noto.</source>
        <translation> is not a known coordinate reference system.</translation>
    </message>
    <message>
        <source>File dati|*.DAT|Autocad Script|*.SCR</source>
        <translation>Data file|*.DAT|Autocad Script|*.SCR</translation>
    </message>
    <message>
        <source>File testo|*.txt</source>
        <translation>Text file|*.txt</translation>
    </message>
    <message>
        <source>Il numero di divisioni della griglia deve essere almeno 1: il calcolo con Beamrun non viene avviato</source>
        <translation>The number of grid divisions must be at least 1: the Beamrun calculation is not started</translation>
    </message>
    <message>
        <source>Nome del file di uscita non valido: </source>
        <translation>Invalid output file name: </translation>
    </message>
    <message>
        <source>Il numero di divisioni della griglia di ricevitori deve essere almeno 1: il file .RAY non viene scritto</source>
        <translation>The number of divisions of the receiver grid must be at least 1: the .RAY file is not written</translation>
    </message>
    <message>
        <source>Il passo delle sorgenti (PassoSorgenti) deve essere positivo: il file .RAY non viene scritto</source>
        <translation>The source spacing (PassoSorgenti) must be positive: the .RAY file is not written</translation>
    </message>
    <message>
        <source>il nome del file non contiene &quot;01&quot;: scegli il primo dei 6 file GRD (nome01...)</source>
        <translation>the file name does not contain &quot;01&quot;: choose the first of the 6 GRD files (name01...)</translation>
    </message>
    <message>
        <source>Il file dei risultati di Beamrun </source>
        <translation>The Beamrun results file </translation>
    </message>
    <message>
        <source> non è stato trovato: i ricettori sono elencati senza livello</source>
        <translation> was not found: the receivers are listed without a level</translation>
    </message>
    <message>
        <source> contiene i livelli di</source>
        <translation> holds the levels of</translation>
    </message>
    <message>
        <source> ricettori su</source>
        <translation> receivers out of</translation>
    </message>
    <message>
        <source>: gli altri sono elencati senza livello</source>
        <translation>: the others are listed without a level</translation>
    </message>
    <message>
        <source>Una fila di ricettori per piano</source>
        <translation>One row of receivers per floor</translation>
    </message>
    <message>
        <source>Persone per alloggio</source>
        <translation>Persons per dwelling</translation>
    </message>
    <message>
        <source>Incidenza cardiopatia ischemica (casi per persona all&apos;anno)</source>
        <translation>Ischaemic heart disease incidence (cases per person a year)</translation>
    </message>
    <message>
        <source>Mappa per le aree (.GRD, vuoto = nessuna)</source>
        <translation>Map for the areas (.GRD, empty = none)</translation>
    </message>
    <message>
        <source>Layer GeoPackage nel sistema di riferimento del progetto</source>
        <translation>GeoPackage layers in the project&apos;s coordinate reference system</translation>
    </message>
    <message>
        <source>Il progetto non ha un sistema di riferimento: sceglierlo con &quot;Sistema di riferimento (EPSG)...&quot; per avere i layer GIS.</source>
        <translation>The project has no coordinate reference system: choose one with &quot;Coordinate reference system (EPSG)...&quot; to get the GIS layers.</translation>
    </message>
    <message>
        <source>Popolazione (CSV o GIS)|*.csv;*.gpkg;*.shp;*.geojson;*.json|Tutti i file|*.*</source>
        <translation>Population (CSV or GIS)|*.csv;*.gpkg;*.shp;*.geojson;*.json|All files|*.*</translation>
    </message>
    <message>
        <source>Pareti più lunghe di 2 km, forse per un vertice sbagliato (edificio/parete): </source>
        <translation>Walls longer than 2 km, perhaps from a wrong vertex (building/wall): </translation>
    </message>
    <message>
        <source>. Continuare?</source>
        <translation>. Go on?</translation>
    </message>
    <message>
        <source>Layer della popolazione</source>
        <translation>Population layer</translation>
    </message>
    <message>
        <source>Campo abitanti</source>
        <translation>People field</translation>
    </message>
    <message>
        <source>Campo alloggi</source>
        <translation>Dwellings field</translation>
    </message>
    <message>
        <source>Campo destinazione d&apos;uso</source>
        <translation>Building use field</translation>
    </message>
    <message>
        <source>Campo metodo di assegnazione</source>
        <translation>Assignment method field</translation>
    </message>
    <message>
        <source>Lden dB(A)</source>
        <translation>Lden dB(A)</translation>
    </message>
    <message>
        <source>Facciate</source>
        <translation>Façades</translation>
    </message>
    <message>
        <source>Casa</source>
        <translation>Building</translation>
    </message>
    <message>
        <source>facciata</source>
        <translation>façade</translation>
    </message>
    <message>
        <source>Punti di facciata|facade_points.csv|File CSV|*.csv|Tutti i file|*.*</source>
        <translation>Façade points|facade_points.csv|CSV files|*.csv|All files|*.*</translation>
    </message>
    <message>
        <source> punti di facciata: </source>
        <translation> façade points: </translation>
    </message>
    <message>
        <source>Mostra punti di facciata...</source>
        <translation>Show façade points...</translation>
    </message>
</context>
</TS>
