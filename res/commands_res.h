// Identifiers of the command module: the menu items of the commands and the
// menu bars of the modes.
#pragma once

// Menu bars, one per pane mode.  The Filer's bar is also the frame's
// template menu (IDR_MAINFRAME).
#define IDR_MENU_ARCHIVE   400
#define IDR_MENU_BINARY    402
#define IDR_MENU_DRIVELIST 404
#define IDR_MENU_FILER     406
#define IDR_MENU_GRAPHIC   408
#define IDR_MENU_NETWORK   411
#define IDR_MENU_VIEWER    416

// Menu items that are no command of a table but have the program's numbers.
#define IDM_FILER_SETTINGS      1023  // ファイラー設定
#define IDM_VIEWER_SETTINGS     1030  // ビューアーの設定
#define IDM_VIEWER_KIND_SETTINGS 1031 // 拡張子別の表示設定
#define IDM_DRIVELIST_JUMP_CTRL 1200  // Ctrl+入力キーにカーソル移動
#define IDM_DRIVELIST_JUMP      1201  // 入力キーにカーソル移動
#define IDM_READ_KEYDATA        1543  // キーデータの読み込み
#define IDM_SHOW_KEYS_IN_MENU   1556  // Menuにキーの表示
#define IDM_USERINI             4699  // ユーザーごとのIniファイルの設定
#define IDM_RECENT_FILE1        1646  // 過去のファイル1
#define IDM_PLUGIN_SETTINGS     1832  // プラグインの設定
#define IDM_HIDDEN_MENU         2026  // 非表示メニュー項目の設定
#define IDM_TRAY_SHOW           2050  // ウィンドウ表示
#define IDM_NON_LOAD_CPL        2061
#define IDM_CPL_FIRST           3000  // control-panel item n is 3000 + n
#define IDM_PLUGIN_FIRST        3050  // plug-in n is 3050 + n
#define IDM_PLUGIN_LAST         3099

// Menu identifiers of the commands: one per command name, shared by every mode
// whose table has that command, so a menu item means the same operation in
// every menu bar.  Commands that only make sense on a key have none.
#define IDM_COPY                             5001  // @Copy
#define IDM_MOVE                             5002  // @Move
#define IDM_DELETE                           5003  // @Delete
#define IDM_DELETEDEFAULTDUST                5004  // @DeleteDefaultDust
#define IDM_DELETEDEFAULTNOTDUST             5005  // @DeleteDefaultNotDust
#define IDM_RENAME                           5006  // @Rename
#define IDM_RENAMEONEFILE                    5007  // @RenameOneFile
#define IDM_RENAMEEXCHANGE                   5008  // @RenameExchange
#define IDM_EXECUTE                          5009  // @Execute
#define IDM_KINDLOOPEXECUTE                  5010  // @Kindloopexecute
#define IDM_PACK                             5011  // @Pack
#define IDM_PACKZIP                          5012  // @Packzip
#define IDM_EACHPACK                         5013  // @Eachpack
#define IDM_EACHPACKZIP                      5014  // @Eachpackzip
#define IDM_UNPACK                           5015  // @Unpack
#define IDM_PACKVIEW                         5016  // @Packview
#define IDM_GRAPHICVIEWB                     5017  // @GraphicviewB
#define IDM_GRAPHICONEVIEWB                  5018  // @GraphiconeviewB
#define IDM_EDIT                             5019  // @Edit
#define IDM_BINARYEDIT                       5020  // @Binaryedit
#define IDM_VIEW                             5021  // @View
#define IDM_CMPBINARY                        5022  // @Cmpbinary
#define IDM_ATTRIBUTE                        5023  // @Attribute
#define IDM_FILETIME                         5024  // @Filetime
#define IDM_TIMEATTRIBUTE                    5025  // @TimeAttribute
#define IDM_MKDIR                            5026  // @Mkdir
#define IDM_MAKESHORTCUT                     5027  // @Makeshortcut
#define IDM_PROPERTIES                       5028  // @Properties
#define IDM_TOCLIPFILES                      5029  // @Toclipfiles
#define IDM_TOCUTCLIPFILES                   5030  // @Tocutclipfiles
#define IDM_FROMCLIPFILES                    5031  // @Fromclipfiles
#define IDM_PASTESHORTCUT                    5032  // @Pasteshortcut
#define IDM_MAKENEWFILELIST                  5033  // @Makenewfilelist
#define IDM_MAKENEWFILE01                    5034  // @Makenewfile01
#define IDM_MAKENEWFILE02                    5035  // @Makenewfile02
#define IDM_MAKENEWFILE03                    5036  // @Makenewfile03
#define IDM_MAKENEWFILE04                    5037  // @Makenewfile04
#define IDM_MAKENEWFILE05                    5038  // @Makenewfile05
#define IDM_MAKENEWFILE06                    5039  // @Makenewfile06
#define IDM_MAKENEWFILE07                    5040  // @Makenewfile07
#define IDM_MAKENEWFILE08                    5041  // @Makenewfile08
#define IDM_MAKENEWFILE09                    5042  // @Makenewfile09
#define IDM_MAKENEWFILE10                    5043  // @Makenewfile10
#define IDM_MAKENEWFILE11                    5044  // @Makenewfile11
#define IDM_MAKENEWFILE12                    5045  // @Makenewfile12
#define IDM_MAKENEWFILE13                    5046  // @Makenewfile13
#define IDM_MAKENEWFILE14                    5047  // @Makenewfile14
#define IDM_MAKENEWFILE15                    5048  // @Makenewfile15
#define IDM_MAKENEWFILE16                    5049  // @Makenewfile16
#define IDM_MAKENEWFILE17                    5050  // @Makenewfile17
#define IDM_MAKENEWFILE18                    5051  // @Makenewfile18
#define IDM_MAKENEWFILE19                    5052  // @Makenewfile19
#define IDM_MAKENEWFILE20                    5053  // @Makenewfile20
#define IDM_ALLSELECT                        5054  // @Allselect
#define IDM_ALLSELECTDIR                     5055  // @Allselectdir
#define IDM_RELEASESELECT                    5056  // @Releaseselect
#define IDM_REVERSESELECT                    5057  // @Reverseselect
#define IDM_REVERSESELECTF                   5058  // @Reverseselectf
#define IDM_NEWSELELECT                      5059  // @Newselelect
#define IDM_UPFILESELECT                     5060  // @Upfileselect
#define IDM_DOWNFILESELECT                   5061  // @Downfileselect
#define IDM_ANOTHEREXISTSELECT               5062  // @Anotherexistselect
#define IDM_ANOTHERNONESELECT                5063  // @Anothernoneselect
#define IDM_DIRCHANGE                        5064  // @Dirchange
#define IDM_DIRCHANGEDLG                     5065  // @Dirchangedlg
#define IDM_DIRJUMP                          5066  // @Dirjump
#define IDM_ADDDIRJUMP                       5067  // @AddDirJump
#define IDM_ROOTDIRECTORY                    5068  // @Rootdirectory
#define IDM_UPDIRECTORY                      5069  // @Updirectory
#define IDM_PREDIRECTORY                     5070  // @Predirectory
#define IDM_DRIVELIST                        5071  // @Drivelist
#define IDM_MANUALRELOAD                     5072  // @Manualreload
#define IDM_TOLINKPOS                        5073  // @Tolinkpos
#define IDM_SAMEDIRECTORY                    5074  // @Samedirectory
#define IDM_SAMEOTHERDIR                     5075  // @Sameotherdir
#define IDM_INDIR                            5076  // @InDir
#define IDM_LOGA                             5077  // @LogA
#define IDM_LOGB                             5078  // @LogB
#define IDM_LOGC                             5079  // @LogC
#define IDM_LOGD                             5080  // @LogD
#define IDM_LOGE                             5081  // @LogE
#define IDM_LOGF                             5082  // @LogF
#define IDM_LOGG                             5083  // @LogG
#define IDM_LOGH                             5084  // @LogH
#define IDM_LOGI                             5085  // @LogI
#define IDM_LOGJ                             5086  // @LogJ
#define IDM_LOGK                             5087  // @LogK
#define IDM_LOGL                             5088  // @LogL
#define IDM_LOGM                             5089  // @LogM
#define IDM_LOGN                             5090  // @LogN
#define IDM_LOGO                             5091  // @LogO
#define IDM_LOGP                             5092  // @LogP
#define IDM_LOGQ                             5093  // @LogQ
#define IDM_LOGR                             5094  // @LogR
#define IDM_LOGS                             5095  // @LogS
#define IDM_LOGT                             5096  // @LogT
#define IDM_LOGU                             5097  // @LogU
#define IDM_LOGV                             5098  // @LogV
#define IDM_LOGW                             5099  // @LogW
#define IDM_LOGX                             5100  // @LogX
#define IDM_LOGY                             5101  // @LogY
#define IDM_LOGZ                             5102  // @LogZ
#define IDM_TONETWORK                        5103  // @Tonetwork
#define IDM_TOALLNETWORK                     5104  // @Toallnetwork
#define IDM_DIRHISTORY                       5105  // @Dirhistory
#define IDM_DIRSIZE                          5106  // @Dirsize
#define IDM_CHAINNETWORK                     5107  // @Chainnetwork
#define IDM_KILLNETWORK                      5108  // @Killnetwork
#define IDM_DOSSHELL                         5109  // @Dosshell
#define IDM_LANCHER                          5110  // @Lancher
#define IDM_FILELISTVIEW                     5111  // @Filelistview
#define IDM_DISKFORMAT                       5112  // @Diskformat
#define IDM_DIRTREEVIEW                      5113  // @Dirtreeview
#define IDM_DRIVETREEVIEW                    5114  // @Drivetreeview
#define IDM_FILESUPDIR                       5115  // @Filesupdir
#define IDM_NEGLECTDIR                       5116  // @Neglectdir
#define IDM_TOALLDIR                         5117  // @Toalldir
#define IDM_SYNCROCOPYEX                     5118  // @Syncrocopyex
#define IDM_FINDFILE                         5119  // @Findfile
#define IDM_FINDFILEINWINDOW                 5120  // @FindFileInWindow
#define IDM_DISPRESULTFINDFILE               5121  // @DispResultFindFile
#define IDM_MAKEMP3TAG                       5122  // @MakeMp3Tag
#define IDM_ALLMAKEMP3TAG                    5123  // @AllmakeMp3Tag
#define IDM_MPEGNAMEDISPLAY                  5124  // @Mpegnamedisplay
#define IDM_VIEWTAGVIEW                      5125  // @Viewtagview
#define IDM_SMALLGRAPHICVIEW                 5126  // @Smallgraphicview
#define IDM_SCSI01                           5127  // @Scsi01
#define IDM_SCSI02                           5128  // @Scsi02
#define IDM_SCSI03                           5129  // @Scsi03
#define IDM_SCSI04                           5130  // @Scsi04
#define IDM_SCSI05                           5131  // @Scsi05
#define IDM_SCSI06                           5132  // @Scsi06
#define IDM_SCSI07                           5133  // @Scsi07
#define IDM_SCSI08                           5134  // @Scsi08
#define IDM_SCSI09                           5135  // @Scsi09
#define IDM_ALLSCSIOPEN                      5136  // @Allscsiopen
#define IDM_ALLSCSICLOSE                     5137  // @Allscsiclose
#define IDM_CLIPTOFILENAME                   5138  // @Cliptofilename
#define IDM_CLIPTOFILENAMEWITHOUTEXT         5139  // @ClipToFileNameWithoutExt
#define IDM_CLIPTOFULLPATH                   5140  // @Cliptofullpath
#define IDM_CLIPTOFULLPATHWITHUNPACK         5141  // @ClipToFullPathWithUnpack
#define IDM_CLIPTOPATH                       5142  // @Cliptopath
#define IDM_CLIPTOSIZE                       5143  // @ClipToSize
#define IDM_TEXTBOX                          5144  // @TextBox
#define IDM_CHANGEDEVIDE                     5145  // @Changedevide
#define IDM_SORT                             5146  // @Sort
#define IDM_AUTOFILENAMEWIDTH                5147  // @AutoFileNameWidth
#define IDM_TEMPSORT                         5148  // @Tempsort
#define IDM_SORTNAME                         5149  // @Sortname
#define IDM_SORTTIME                         5150  // @Sorttime
#define IDM_SORTSIZE                         5151  // @Sortsize
#define IDM_SORTKIND                         5152  // @Sortkind
#define IDM_SORTATTRIBUTE                    5153  // @Sortattribute
#define IDM_SORTNO                           5154  // @Sortno
#define IDM_SORTEXCHANGE                     5155  // @Sortexchange
#define IDM_SORTNAMEDIR                      5156  // @SortNameDir
#define IDM_SORTTIMEDIR                      5157  // @SortTimeDir
#define IDM_SORTSIZEDIR                      5158  // @SortSizeDir
#define IDM_SORTKINDDIR                      5159  // @SortKindDir
#define IDM_SORTATTRIBUTEDIR                 5160  // @SortAttributeDir
#define IDM_SORTEXCHANGEDIR                  5161  // @SortExchangeDir
#define IDM_WIDE                             5162  // @Wide
#define IDM_CHANGEWINDOW                     5163  // @Changewindow
#define IDM_WINDOWTOTASKTRAY                 5164  // @Windowtotasktray
#define IDM_RIGHTWINDOW                      5165  // @Rightwindow
#define IDM_LEFTWINDOW                       5166  // @Leftwindow
#define IDM_WILDCARD                         5167  // @Wildcard
#define IDM_DISPFILESETTING                  5168  // @DispFileSetting
#define IDM_CHANGEDISPHIDDENFILE             5169  // @ChangeDispHiddenFile
#define IDM_CHANGEDISPSYSTEMFILE             5170  // @ChangeDispSystemFile
#define IDM_CHANGEDISPFIRSTDOTFILE           5171  // @ChangeDispFirstDotFile
#define IDM_CHANGEDISPREADONLYFILE           5172  // @ChangeDispReadOnlyFile
#define IDM_SELECTDISPFILESETTING1           1372  // @SelectDispFileSetting1
#define IDM_SELECTDISPFILESETTING2           1373  // @SelectDispFileSetting2
#define IDM_SELECTDISPFILESETTING3           1374  // @SelectDispFileSetting3
#define IDM_SELECTDISPFILESETTING4           1375  // @SelectDispFileSetting4
#define IDM_SELECTDISPFILESETTING5           1376  // @SelectDispFileSetting5
#define IDM_CHANGEFILERDATA                  5173  // @Changefilerdata
#define IDM_OTHERALWAYSVIEWER                5174  // @Otheralwaysviewer
#define IDM_OTHERALWAYSDISPDIR               5175  // @OtherAlwaysDispDir
#define IDM_CHANGEDMENU                      5176  // @Changedmenu
#define IDM_DOWNDEVIDE                       5177  // @Downdevide
#define IDM_UPDEVIDE                         5178  // @Updevide
#define IDM_FULLSCREEN                       5179  // @Fullscreen
#define IDM_ZOOMSCREEN                       5180  // @Zoomscreen
#define IDM_SHOWICON                         5181  // @Showicon
#define IDM_FILENAMEPACK                     5182  // @Filenamepack
#define IDM_NEXTFILERBMP                     5183  // @Nextfilerbmp
#define IDM_SETWALLPAPER                     5184  // @Setwallpaper
#define IDM_DISPLAYSET0                      1248  // @Displayset0
#define IDM_DISPLAYSET1                      1249  // @Displayset1
#define IDM_DISPLAYSET2                      1250  // @Displayset2
#define IDM_DISPLAYSET3                      1251  // @Displayset3
#define IDM_DISPLAYSET4                      1252  // @Displayset4
#define IDM_DISPLAYSET5                      1253  // @Displayset5
#define IDM_DISPLAYSET6                      1254  // @Displayset6
#define IDM_DISPLAYSET7                      1255  // @Displayset7
#define IDM_DISPLAYSET8                      1256  // @Displayset8
#define IDM_DISPLAYSET9                      1257  // @Displayset9
#define IDM_CHANGEDISPLAY                    5185  // @Changedisplay
#define IDM_CHANGEFILERINFO                  5186  // @Changefilerinfo
#define IDM_PREVIEWENABLE                    5187  // @PreviewEnable
#define IDM_PREVIEWENABLEWITHCHILD           5188  // @PreviewEnableWithChild
#define IDM_PREVIEWDISABLE                   5189  // @PreviewDisable
#define IDM_FILERKEY                         5190  // @Filerkey
#define IDM_CONFIGSAVE                       1173  // @ConfigSave
#define IDM_OPENCPL                          5191  // @Opencpl
#define IDM_ALLCPLDATA                       5192  // @Allcpldata
#define IDM_SOUNDLOAD                        5193  // @Soundload
#define IDM_SOUNDPAUSE                       5194  // @Soundpause
#define IDM_SOUNDSTOP                        5195  // @Soundstop
#define IDM_SOUNDLOADSTOP                    5196  // @Soundloadstop
#define IDM_SETSOUNDLIST                     5197  // @Setsoundlist
#define IDM_SETSOUNDLOAD                     5198  // @Setsoundload
#define IDM_SETSOUNDPAUSE                    5199  // @Setsoundpause
#define IDM_SOUNDLISTSTOP                    5200  // @Soundliststop
#define IDM_SOUNDLISTNEXT                    5201  // @Soundlistnext
#define IDM_SOUNDLISTBEFORE                  5202  // @Soundlistbefore
#define IDM_SOUNDLISTSAVE                    5203  // @Soundlistsave
#define IDM_SOUNDLISTREPEAT                  5204  // @Soundlistrepeat
#define IDM_SOUNDLISTRANDOM                  5205  // @Soundlistrandom
#define IDM_CDPLAYCONFIG                     5206  // @CdPlayConfig
#define IDM_CDPLAY                           5207  // @CdPlay
#define IDM_CDPAUSE                          5208  // @CdPause
#define IDM_CDSTOP                           5209  // @CdStop
#define IDM_CDNEXT                           5210  // @CdNext
#define IDM_CDBEFORE                         5211  // @CdBefore
#define IDM_CDREPEAT                         5212  // @CdRepeat
#define IDM_CDRANDOM                         5213  // @CdRandom
#define IDM_SOUND50                          5214  // @Sound50
#define IDM_SOUND100                         5215  // @Sound100
#define IDM_SOUND150                         5216  // @Sound150
#define IDM_SOUND200                         5217  // @Sound200
#define IDM_SOUND300                         5218  // @Sound300
#define IDM_SOUND400                         5219  // @Sound400
#define IDM_SOUNDFULLSCREEN                  5220  // @Soundfullscreen
#define IDM_MCIVOLUMEUP                      5221  // @MciVolumeUp
#define IDM_MCIVOLUMEDOWN                    5222  // @MciVolumeDown
#define IDM_JUMPFIRSTLINE                    5223  // @Jumpfirstline
#define IDM_JUMPENDLINE                      5224  // @Jumpendline
#define IDM_JUMPTEXT                         5225  // @Jumptext
#define IDM_SEARCHSTR                        5226  // @Searchstr
#define IDM_NEXTSEARCH                       5227  // @Nextsearch
#define IDM_BEFORESEARCH                     5228  // @Beforesearch
#define IDM_VIEWALLSELECT                    5229  // @Viewallselect
#define IDM_TEXTPRINT                        5230  // @Textprint
#define IDM_CLIPCOPY                         5231  // @Clipcopy
#define IDM_RELOADFILE                       5232  // @ReloadFile
#define IDM_CLOSEVIEWER                      5233  // @Closeviewer
#define IDM_LINEWORD1                        5234  // @Lineword1
#define IDM_LINEWORD2                        5235  // @Lineword2
#define IDM_LINEWORD3                        5236  // @Lineword3
#define IDM_LINEWORD4                        5237  // @Lineword4
#define IDM_LINEWORD5                        5238  // @Lineword5
#define IDM_CHANGETAB4                       5239  // @Changetab4
#define IDM_CHANGETAB8                       5240  // @Changetab8
#define IDM_CHARCODESHIFTJIS                 5241  // @CharCodeShiftJIS
#define IDM_CHARCODEJIS                      5242  // @CharCodeJIS
#define IDM_CHARCODEEUC                      5243  // @CharCodeEUC
#define IDM_CHARCODEUNICODE                  5244  // @CharCodeUNICODE
#define IDM_CHARCODEUTF8                     5245  // @CharCodeUTF8
#define IDM_CHARCODEAUTO                     5246  // @CharCodeAuto
#define IDM_CHANGEBINARY                     5247  // @Changebinary
#define IDM_LINENUMBER                       5248  // @Linenumber
#define IDM_VIEWERKEY                        5249  // @Viewerkey
#define IDM_ZOOMIN                           5250  // @Zoomin
#define IDM_ZOOMOUT                          5251  // @Zoomout
#define IDM_SCALINGONOFF                     5252  // @ScalingOnOff
#define IDM_TEMPSCALINGONOFF                 5253  // @TempScalingOnOff
#define IDM_RIGHTROT                         5254  // @RightRot
#define IDM_LEFTROT                          5255  // @LeftRot
#define IDM_180ROT                           5256  // @180Rot
#define IDM_H_REVERSE                        5257  // @H_Reverse
#define IDM_V_REVERSE                        5258  // @V_Reverse
#define IDM_H_POSLEFT                        5259  // @H_PosLeft
#define IDM_H_POSRIGHT                       5260  // @H_PosRight
#define IDM_H_POSCENTER                      5261  // @H_PosCenter
#define IDM_V_POSUP                          5262  // @V_PosUp
#define IDM_V_POSBOTTOM                      5263  // @V_PosBottom
#define IDM_V_POSCENTER                      5264  // @V_PosCenter
#define IDM_NEXT                             5265  // @Next
#define IDM_BEFORE                           5266  // @Before
#define IDM_10NEXT                           5267  // @10Next
#define IDM_10BEFORE                         5268  // @10Before
#define IDM_SAVEBMP                          5269  // @SaveBmp
#define IDM_NEXTSAVEBMP                      5270  // @NextSaveBmp
#define IDM_GRAPHICCLIPCOPY                  5271  // @Graphicclipcopy
#define IDM_PAUSEGRAPHIC                     5272  // @PauseGraphic
#define IDM_GRAPHICLIST                      5273  // @GraphicList
#define IDM_EXITGRAPHIC                      5274  // @Exitgraphic
#define IDM_GRAPHICKEY                       5275  // @Graphickey
#define IDM_FILESAVE                         5276  // @Filesave
#define IDM_CHANGEDPOSOUT                    5277  // @Changedposout
#define IDM_BINARYEDITEND                    5278  // @Binaryeditend
#define IDM_JUMPLINE                         5279  // @Jumpline
#define IDM_SEARCHDATA                       5280  // @Searchdata
#define IDM_CMPBINARYFILE                    5281  // @Cmpbinaryfile
#define IDM_CHANGEDDATA                      5282  // @Changeddata
#define IDM_INPUTPASTE                       5283  // @Inputpaste
#define IDM_INPUTPASTELOOP                   5284  // @Inputpasteloop
#define IDM_COPYDATA                         5285  // @Copydata
#define IDM_PASTEDATA                        5286  // @Pastedata
#define IDM_SELECTRANGE                      5287  // @Selectrange
#define IDM_BINARYALLSELECT                  5288  // @Binaryallselect
#define IDM_BINARYKEY                        5289  // @Binarykey

// Key-configuration dialogs.  The Viewer dialog uses the same control
// identifiers for the parts both dialogs have.
#define IDD_KEYCONFIG            3700
#define IDD_VIEWKEYCONFIG        3701
#define IDC_KEYCFG_KEYS          3710
#define IDC_KEYCFG_MOD_NONE      3711
#define IDC_KEYCFG_MOD_SHIFT     3712
#define IDC_KEYCFG_MOD_CTRL      3713
#define IDC_KEYCFG_MOD_ALT       3714
#define IDC_KEYCFG_TEXT          3715
#define IDC_KEYCFG_SETTEXT       3716
#define IDC_KEYCFG_CATEGORY      3717
#define IDC_KEYCFG_COMMANDS      3718
#define IDC_KEYCFG_SETCOMMAND    3719
#define IDC_KEYCFG_CLEAR         3720
#define IDC_KEYCFG_DIR           3721
#define IDC_KEYCFG_DIRBROWSE     3722
#define IDC_KEYCFG_SETDIR        3723
#define IDC_KEYCFG_FILE          3724
#define IDC_KEYCFG_FILEBROWSE    3725
#define IDC_KEYCFG_PARAMS        3726
#define IDC_KEYCFG_SETFILE       3727
#define IDC_KEYCFG_SETDEFAULTEXE 3728

// Hidden top-level menus.
#define IDD_NOTVIEWMENU          3740
#define IDC_NVM_MODES            3741
#define IDC_NVM_POPUP0           3750  // ten check boxes, 3750 to 3759
