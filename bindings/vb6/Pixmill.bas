Attribute VB_Name = "Pixmill"
' Pixmill for Visual Basic 6 and VBA: the image records and one Declare per
' export of Pixmill.dll.
'
' Visual Basic 6 and 32-bit Office load the 32-bit Pixmill.dll, whose exports
' carry stdcall-decorated names (_Render_BitBlt24to24@32); 64-bit Office loads
' the 64-bit Pixmill.dll, whose exports carry plain names. Put the DLL that
' matches the host beside the program (or document) or on the PATH.
'
' An image is a Surface24 or Surface32 whose Pixels array runs from 1 in both
' dimensions: dimension 1 is one row (bytes for 24-bit, pixels for 32-bit),
' dimension 2 the rows, stored bottom-up as in a bitmap. Every coordinate is
' top-down. CreateSurface24 and CreateSurface32 below size the array. Colours
' are passed as red, green, blue; every drawing function returns 0.
Option Explicit

' 24-bit image: each row holds blue, green, red for each pixel and is padded
' to a multiple of 4 bytes, as the rows of a 24-bit bitmap are.
Public Type Surface24
    Width As Long
    Reserved As Long
    Pixels() As Byte
End Type

' 32-bit image: one Long per pixel, blue in the low byte, then green, red and
' alpha (&HAARRGGBB).
Public Type Surface32
    Width As Long
    Reserved As Long
    Pixels() As Long
End Type

#If Win64 Then
    ' 64-bit Office: the 64-bit DLL, plain export names.
    ' array services
    Public Declare PtrSafe Function VBArrayPointerType Lib "Pixmill" Alias "VBArrayPointerType" ( _
        ByVal psa As LongPtr) As LongPtr
    Public Declare PtrSafe Function VBArrayPointer Lib "Pixmill" Alias "VBArrayPointer" ( _
        arr() As Any) As LongPtr
    Public Declare PtrSafe Function mUBOUNDType Lib "Pixmill" Alias "mUBOUNDType" (ByVal psa As LongPtr, _
        ByVal dimension As Long) As Long
    Public Declare PtrSafe Function mUBOUND Lib "Pixmill" Alias "mUBOUND" (arr() As Any, _
        ByVal dimension As Long) As Long
    Public Declare PtrSafe Function mLBOUND Lib "Pixmill" Alias "mLBOUND" (arr() As Any, _
        ByVal dimension As Long) As Long

    ' library services
    Public Declare PtrSafe Function Render_GetInfo Lib "Pixmill" Alias "Render_GetInfo" ( _
        ByRef version As Long, ByVal text As String) As Long
    Public Declare PtrSafe Sub CopyMemoryC Lib "Pixmill" Alias "CopyMemoryC" (ByRef dest As Any, _
        ByRef src As Any, ByVal count As Long)

    ' block transfers
    Public Declare PtrSafe Function Render_BitBlt24to24 Lib "Pixmill" Alias "Render_BitBlt24to24" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32 Lib "Pixmill" Alias "Render_BitBlt24to32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt32to24 Lib "Pixmill" Alias "Render_BitBlt32to24" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt32to32 Lib "Pixmill" Alias "Render_BitBlt32to32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to24TColor Lib "Pixmill" Alias "Render_BitBlt24to24TColor" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to24Alpha Lib "Pixmill" Alias "Render_BitBlt24to24Alpha" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to24TColorAlpha Lib "Pixmill" Alias "Render_BitBlt24to24TColorAlpha" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32Alpha Lib "Pixmill" Alias "Render_BitBlt24to32Alpha" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt32Maskto24 Lib "Pixmill" Alias "Render_BitBlt32Maskto24" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32Mask Lib "Pixmill" Alias "Render_BitBlt24to32Mask" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to24Mask24 Lib "Pixmill" Alias "Render_BitBlt24to24Mask24" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByRef mask As Surface24) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32Mask24 Lib "Pixmill" Alias "Render_BitBlt24to32Mask24" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByRef mask As Surface24) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32TColorAlphaPostProcess Lib "Pixmill" Alias "Render_BitBlt24to32TColorAlphaPostProcess" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long, ByVal alpha As Long, ByVal passes As Long) As Long

    ' scaling
    Public Declare PtrSafe Function Render_StretchBlt24to24 Lib "Pixmill" Alias "Render_StretchBlt24to24" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to24Alpha Lib "Pixmill" Alias "Render_StretchBlt24to24Alpha" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to24TColor Lib "Pixmill" Alias "Render_StretchBlt24to24TColor" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to24TColorAlpha Lib "Pixmill" Alias "Render_StretchBlt24to24TColorAlpha" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to32 Lib "Pixmill" Alias "Render_StretchBlt24to32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to32Alpha Lib "Pixmill" Alias "Render_StretchBlt24to32Alpha" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to32TColor Lib "Pixmill" Alias "Render_StretchBlt24to32TColor" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to32TColorAlpha Lib "Pixmill" Alias "Render_StretchBlt24to32TColorAlpha" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt32to24 Lib "Pixmill" Alias "Render_StretchBlt32to24" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt32to32 Lib "Pixmill" Alias "Render_StretchBlt32to32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt32to32F Lib "Pixmill" Alias "Render_StretchBlt32to32F" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to24 Lib "Pixmill" Alias "Render_StretchBltBillinear24to24" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to24Alpha Lib "Pixmill" Alias "Render_StretchBltBillinear24to24Alpha" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to24TColor Lib "Pixmill" Alias "Render_StretchBltBillinear24to24TColor" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to24TColorAlpha Lib "Pixmill" Alias "Render_StretchBltBillinear24to24TColorAlpha" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to32 Lib "Pixmill" Alias "Render_StretchBltBillinear24to32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to32Alpha Lib "Pixmill" Alias "Render_StretchBltBillinear24to32Alpha" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to32TColor Lib "Pixmill" Alias "Render_StretchBltBillinear24to32TColor" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to32TColorAlpha Lib "Pixmill" Alias "Render_StretchBltBillinear24to32TColorAlpha" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear32to24 Lib "Pixmill" Alias "Render_StretchBltBillinear32to24" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear32to32 Lib "Pixmill" Alias "Render_StretchBltBillinear32to32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear32to32F Lib "Pixmill" Alias "Render_StretchBltBillinear32to32F" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long

    ' drawing primitives
    Public Declare PtrSafe Function Render_DrawBar24 Lib "Pixmill" Alias "Render_DrawBar24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar24Alpha Lib "Pixmill" Alias "Render_DrawBar24Alpha" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar32 Lib "Pixmill" Alias "Render_DrawBar32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar32Alpha Lib "Pixmill" Alias "Render_DrawBar32Alpha" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar32AlphaT Lib "Pixmill" Alias "Render_DrawBar32AlphaT" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alphaValue As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar24Mask24 Lib "Pixmill" Alias "Render_DrawBar24Mask24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByRef mask As Surface24, ByVal maskX As Long, ByVal maskY As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect24 Lib "Pixmill" Alias "Render_DrawRect24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect24Alpha Lib "Pixmill" Alias "Render_DrawRect24Alpha" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect32 Lib "Pixmill" Alias "Render_DrawRect32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect32Alpha Lib "Pixmill" Alias "Render_DrawRect32Alpha" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect32AlphaT Lib "Pixmill" Alias "Render_DrawRect32AlphaT" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alphaValue As Long) As Long

    ' pixel filters
    Public Declare PtrSafe Function Render_GammaCorrect24 Lib "Pixmill" Alias "Render_GammaCorrect24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long) As Long
    Public Declare PtrSafe Function Render_GammaCorrect24TColor Lib "Pixmill" Alias "Render_GammaCorrect24TColor" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long, _
        ByVal keyRed As Long, ByVal keyGreen As Long, ByVal keyBlue As Long) As Long
    Public Declare PtrSafe Function Render_GammaCorrect32 Lib "Pixmill" Alias "Render_GammaCorrect32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long, _
        ByVal alphaOffset As Long) As Long
    Public Declare PtrSafe Function Render_Contrast24 Lib "Pixmill" Alias "Render_Contrast24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal factor As Single) As Long
    Public Declare PtrSafe Function Render_CalcColor24 Lib "Pixmill" Alias "Render_CalcColor24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByRef redSum As Long, ByRef greenSum As Long, ByRef blueSum As Long) As Long
    Public Declare PtrSafe Function Render_Invert24 Lib "Pixmill" Alias "Render_Invert24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_Invert32 Lib "Pixmill" Alias "Render_Invert32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_InvertAlpha32 Lib "Pixmill" Alias "Render_InvertAlpha32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_AlphaAdd32 Lib "Pixmill" Alias "Render_AlphaAdd32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal delta As Long) As Long
    Public Declare PtrSafe Function Render_HorizontalFlip32 Lib "Pixmill" Alias "Render_HorizontalFlip32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_Set32Alpha Lib "Pixmill" Alias "Render_Set32Alpha" ( _
        ByRef dest As Surface32, ByVal alphaValue As Long) As Long
    Public Declare PtrSafe Function Render_AjustHLS32 Lib "Pixmill" Alias "Render_AjustHLS32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal hueDelta As Long, ByVal lumDelta As Long, ByVal satDelta As Long) As Long

    ' neighbourhood effects
    Public Declare PtrSafe Function Render_Blur24 Lib "Pixmill" Alias "Render_Blur24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_Blur32 Lib "Pixmill" Alias "Render_Blur32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_RoundsFromWater24 Lib "Pixmill" Alias "Render_RoundsFromWater24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal amplitude As Long, ByVal spread As Long) As Long
    Public Declare PtrSafe Function Render_RoundsFromWater32 Lib "Pixmill" Alias "Render_RoundsFromWater32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal amplitude As Long, ByVal spread As Long) As Long

    ' rotation
    Public Declare PtrSafe Function Render_Rotate24to24 Lib "Pixmill" Alias "Render_Rotate24to24" ( _
        ByRef dest As Surface24, ByRef src As Surface24, ByVal angle As Long) As Long
    Public Declare PtrSafe Function Render_Rotate32to32 Lib "Pixmill" Alias "Render_Rotate32to32" ( _
        ByRef dest As Surface32, ByRef src As Surface32, ByVal angle As Long) As Long
    Public Declare PtrSafe Function Render_Rotate32to24 Lib "Pixmill" Alias "Render_Rotate32to24" ( _
        ByRef dest As Surface24, ByRef src As Surface32, ByVal angle As Long) As Long

#ElseIf VBA7 Then
    ' 32-bit Office 2010 and later: the 32-bit DLL, decorated export names.
    ' array services
    Public Declare PtrSafe Function VBArrayPointerType Lib "Pixmill" Alias "_VBArrayPointerType@4" ( _
        ByVal psa As LongPtr) As LongPtr
    Public Declare PtrSafe Function VBArrayPointer Lib "Pixmill" Alias "_VBArrayPointer@4" ( _
        arr() As Any) As LongPtr
    Public Declare PtrSafe Function mUBOUNDType Lib "Pixmill" Alias "_mUBOUNDType@8" ( _
        ByVal psa As LongPtr, ByVal dimension As Long) As Long
    Public Declare PtrSafe Function mUBOUND Lib "Pixmill" Alias "_mUBOUND@8" (arr() As Any, _
        ByVal dimension As Long) As Long
    Public Declare PtrSafe Function mLBOUND Lib "Pixmill" Alias "_mLBOUND@8" (arr() As Any, _
        ByVal dimension As Long) As Long

    ' library services
    Public Declare PtrSafe Function Render_GetInfo Lib "Pixmill" Alias "_Render_GetInfo@8" ( _
        ByRef version As Long, ByVal text As String) As Long
    Public Declare PtrSafe Sub CopyMemoryC Lib "Pixmill" Alias "_CopyMemoryC@12" (ByRef dest As Any, _
        ByRef src As Any, ByVal count As Long)

    ' block transfers
    Public Declare PtrSafe Function Render_BitBlt24to24 Lib "Pixmill" Alias "_Render_BitBlt24to24@32" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32 Lib "Pixmill" Alias "_Render_BitBlt24to32@32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt32to24 Lib "Pixmill" Alias "_Render_BitBlt32to24@32" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt32to32 Lib "Pixmill" Alias "_Render_BitBlt32to32@32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to24TColor Lib "Pixmill" Alias "_Render_BitBlt24to24TColor@44" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to24Alpha Lib "Pixmill" Alias "_Render_BitBlt24to24Alpha@36" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to24TColorAlpha Lib "Pixmill" Alias "_Render_BitBlt24to24TColorAlpha@48" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32Alpha Lib "Pixmill" Alias "_Render_BitBlt24to32Alpha@36" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt32Maskto24 Lib "Pixmill" Alias "_Render_BitBlt32Maskto24@32" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32Mask Lib "Pixmill" Alias "_Render_BitBlt24to32Mask@32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare PtrSafe Function Render_BitBlt24to24Mask24 Lib "Pixmill" Alias "_Render_BitBlt24to24Mask24@36" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByRef mask As Surface24) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32Mask24 Lib "Pixmill" Alias "_Render_BitBlt24to32Mask24@36" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByRef mask As Surface24) As Long
    Public Declare PtrSafe Function Render_BitBlt24to32TColorAlphaPostProcess Lib "Pixmill" Alias "_Render_BitBlt24to32TColorAlphaPostProcess@52" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long, ByVal alpha As Long, ByVal passes As Long) As Long

    ' scaling
    Public Declare PtrSafe Function Render_StretchBlt24to24 Lib "Pixmill" Alias "_Render_StretchBlt24to24@40" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to24Alpha Lib "Pixmill" Alias "_Render_StretchBlt24to24Alpha@44" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to24TColor Lib "Pixmill" Alias "_Render_StretchBlt24to24TColor@52" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to24TColorAlpha Lib "Pixmill" Alias "_Render_StretchBlt24to24TColorAlpha@56" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to32 Lib "Pixmill" Alias "_Render_StretchBlt24to32@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to32Alpha Lib "Pixmill" Alias "_Render_StretchBlt24to32Alpha@44" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to32TColor Lib "Pixmill" Alias "_Render_StretchBlt24to32TColor@52" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt24to32TColorAlpha Lib "Pixmill" Alias "_Render_StretchBlt24to32TColorAlpha@56" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt32to24 Lib "Pixmill" Alias "_Render_StretchBlt32to24@40" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt32to32 Lib "Pixmill" Alias "_Render_StretchBlt32to32@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBlt32to32F Lib "Pixmill" Alias "_Render_StretchBlt32to32F@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to24 Lib "Pixmill" Alias "_Render_StretchBltBillinear24to24@40" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to24Alpha Lib "Pixmill" Alias "_Render_StretchBltBillinear24to24Alpha@44" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to24TColor Lib "Pixmill" Alias "_Render_StretchBltBillinear24to24TColor@52" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to24TColorAlpha Lib "Pixmill" Alias "_Render_StretchBltBillinear24to24TColorAlpha@56" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to32 Lib "Pixmill" Alias "_Render_StretchBltBillinear24to32@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to32Alpha Lib "Pixmill" Alias "_Render_StretchBltBillinear24to32Alpha@44" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to32TColor Lib "Pixmill" Alias "_Render_StretchBltBillinear24to32TColor@52" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear24to32TColorAlpha Lib "Pixmill" Alias "_Render_StretchBltBillinear24to32TColorAlpha@56" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear32to24 Lib "Pixmill" Alias "_Render_StretchBltBillinear32to24@40" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear32to32 Lib "Pixmill" Alias "_Render_StretchBltBillinear32to32@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare PtrSafe Function Render_StretchBltBillinear32to32F Lib "Pixmill" Alias "_Render_StretchBltBillinear32to32F@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long

    ' drawing primitives
    Public Declare PtrSafe Function Render_DrawBar24 Lib "Pixmill" Alias "_Render_DrawBar24@32" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar24Alpha Lib "Pixmill" Alias "_Render_DrawBar24Alpha@36" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar32 Lib "Pixmill" Alias "_Render_DrawBar32@32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar32Alpha Lib "Pixmill" Alias "_Render_DrawBar32Alpha@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar32AlphaT Lib "Pixmill" Alias "_Render_DrawBar32AlphaT@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alphaValue As Long) As Long
    Public Declare PtrSafe Function Render_DrawBar24Mask24 Lib "Pixmill" Alias "_Render_DrawBar24Mask24@44" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByRef mask As Surface24, ByVal maskX As Long, ByVal maskY As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect24 Lib "Pixmill" Alias "_Render_DrawRect24@32" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect24Alpha Lib "Pixmill" Alias "_Render_DrawRect24Alpha@36" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect32 Lib "Pixmill" Alias "_Render_DrawRect32@32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect32Alpha Lib "Pixmill" Alias "_Render_DrawRect32Alpha@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare PtrSafe Function Render_DrawRect32AlphaT Lib "Pixmill" Alias "_Render_DrawRect32AlphaT@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alphaValue As Long) As Long

    ' pixel filters
    Public Declare PtrSafe Function Render_GammaCorrect24 Lib "Pixmill" Alias "_Render_GammaCorrect24@32" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long) As Long
    Public Declare PtrSafe Function Render_GammaCorrect24TColor Lib "Pixmill" Alias "_Render_GammaCorrect24TColor@44" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long, _
        ByVal keyRed As Long, ByVal keyGreen As Long, ByVal keyBlue As Long) As Long
    Public Declare PtrSafe Function Render_GammaCorrect32 Lib "Pixmill" Alias "_Render_GammaCorrect32@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long, _
        ByVal alphaOffset As Long) As Long
    Public Declare PtrSafe Function Render_Contrast24 Lib "Pixmill" Alias "_Render_Contrast24@24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal factor As Single) As Long
    Public Declare PtrSafe Function Render_CalcColor24 Lib "Pixmill" Alias "_Render_CalcColor24@32" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByRef redSum As Long, ByRef greenSum As Long, ByRef blueSum As Long) As Long
    Public Declare PtrSafe Function Render_Invert24 Lib "Pixmill" Alias "_Render_Invert24@20" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_Invert32 Lib "Pixmill" Alias "_Render_Invert32@20" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_InvertAlpha32 Lib "Pixmill" Alias "_Render_InvertAlpha32@20" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_AlphaAdd32 Lib "Pixmill" Alias "_Render_AlphaAdd32@24" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal delta As Long) As Long
    Public Declare PtrSafe Function Render_HorizontalFlip32 Lib "Pixmill" Alias "_Render_HorizontalFlip32@20" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_Set32Alpha Lib "Pixmill" Alias "_Render_Set32Alpha@8" ( _
        ByRef dest As Surface32, ByVal alphaValue As Long) As Long
    Public Declare PtrSafe Function Render_AjustHLS32 Lib "Pixmill" Alias "_Render_AjustHLS32@32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal hueDelta As Long, ByVal lumDelta As Long, ByVal satDelta As Long) As Long

    ' neighbourhood effects
    Public Declare PtrSafe Function Render_Blur24 Lib "Pixmill" Alias "_Render_Blur24@20" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_Blur32 Lib "Pixmill" Alias "_Render_Blur32@20" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare PtrSafe Function Render_RoundsFromWater24 Lib "Pixmill" Alias "_Render_RoundsFromWater24@28" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal amplitude As Long, ByVal spread As Long) As Long
    Public Declare PtrSafe Function Render_RoundsFromWater32 Lib "Pixmill" Alias "_Render_RoundsFromWater32@28" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal amplitude As Long, ByVal spread As Long) As Long

    ' rotation
    Public Declare PtrSafe Function Render_Rotate24to24 Lib "Pixmill" Alias "_Render_Rotate24to24@12" ( _
        ByRef dest As Surface24, ByRef src As Surface24, ByVal angle As Long) As Long
    Public Declare PtrSafe Function Render_Rotate32to32 Lib "Pixmill" Alias "_Render_Rotate32to32@12" ( _
        ByRef dest As Surface32, ByRef src As Surface32, ByVal angle As Long) As Long
    Public Declare PtrSafe Function Render_Rotate32to24 Lib "Pixmill" Alias "_Render_Rotate32to24@12" ( _
        ByRef dest As Surface24, ByRef src As Surface32, ByVal angle As Long) As Long

#Else
    ' Visual Basic 6 and Office before 2010: the 32-bit DLL, decorated names.
    ' array services
    Public Declare Function VBArrayPointerType Lib "Pixmill" Alias "_VBArrayPointerType@4" ( _
        ByVal psa As Long) As Long
    Public Declare Function VBArrayPointer Lib "Pixmill" Alias "_VBArrayPointer@4" (arr() As Any) As Long
    Public Declare Function mUBOUNDType Lib "Pixmill" Alias "_mUBOUNDType@8" (ByVal psa As Long, _
        ByVal dimension As Long) As Long
    Public Declare Function mUBOUND Lib "Pixmill" Alias "_mUBOUND@8" (arr() As Any, _
        ByVal dimension As Long) As Long
    Public Declare Function mLBOUND Lib "Pixmill" Alias "_mLBOUND@8" (arr() As Any, _
        ByVal dimension As Long) As Long

    ' library services
    Public Declare Function Render_GetInfo Lib "Pixmill" Alias "_Render_GetInfo@8" (ByRef version As Long, _
        ByVal text As String) As Long
    Public Declare Sub CopyMemoryC Lib "Pixmill" Alias "_CopyMemoryC@12" (ByRef dest As Any, _
        ByRef src As Any, ByVal count As Long)

    ' block transfers
    Public Declare Function Render_BitBlt24to24 Lib "Pixmill" Alias "_Render_BitBlt24to24@32" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare Function Render_BitBlt24to32 Lib "Pixmill" Alias "_Render_BitBlt24to32@32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare Function Render_BitBlt32to24 Lib "Pixmill" Alias "_Render_BitBlt32to24@32" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare Function Render_BitBlt32to32 Lib "Pixmill" Alias "_Render_BitBlt32to32@32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare Function Render_BitBlt24to24TColor Lib "Pixmill" Alias "_Render_BitBlt24to24TColor@44" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_BitBlt24to24Alpha Lib "Pixmill" Alias "_Render_BitBlt24to24Alpha@36" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_BitBlt24to24TColorAlpha Lib "Pixmill" Alias "_Render_BitBlt24to24TColorAlpha@48" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_BitBlt24to32Alpha Lib "Pixmill" Alias "_Render_BitBlt24to32Alpha@36" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_BitBlt32Maskto24 Lib "Pixmill" Alias "_Render_BitBlt32Maskto24@32" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare Function Render_BitBlt24to32Mask Lib "Pixmill" Alias "_Render_BitBlt24to32Mask@32" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long) As Long
    Public Declare Function Render_BitBlt24to24Mask24 Lib "Pixmill" Alias "_Render_BitBlt24to24Mask24@36" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByRef mask As Surface24) As Long
    Public Declare Function Render_BitBlt24to32Mask24 Lib "Pixmill" Alias "_Render_BitBlt24to32Mask24@36" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByRef mask As Surface24) As Long
    Public Declare Function Render_BitBlt24to32TColorAlphaPostProcess Lib "Pixmill" Alias "_Render_BitBlt24to32TColorAlphaPostProcess@52" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal w As Long, ByVal h As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long, ByVal alpha As Long, ByVal passes As Long) As Long

    ' scaling
    Public Declare Function Render_StretchBlt24to24 Lib "Pixmill" Alias "_Render_StretchBlt24to24@40" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBlt24to24Alpha Lib "Pixmill" Alias "_Render_StretchBlt24to24Alpha@44" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare Function Render_StretchBlt24to24TColor Lib "Pixmill" Alias "_Render_StretchBlt24to24TColor@52" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_StretchBlt24to24TColorAlpha Lib "Pixmill" Alias "_Render_StretchBlt24to24TColorAlpha@56" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_StretchBlt24to32 Lib "Pixmill" Alias "_Render_StretchBlt24to32@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBlt24to32Alpha Lib "Pixmill" Alias "_Render_StretchBlt24to32Alpha@44" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare Function Render_StretchBlt24to32TColor Lib "Pixmill" Alias "_Render_StretchBlt24to32TColor@52" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_StretchBlt24to32TColorAlpha Lib "Pixmill" Alias "_Render_StretchBlt24to32TColorAlpha@56" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_StretchBlt32to24 Lib "Pixmill" Alias "_Render_StretchBlt32to24@40" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBlt32to32 Lib "Pixmill" Alias "_Render_StretchBlt32to32@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBlt32to32F Lib "Pixmill" Alias "_Render_StretchBlt32to32F@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBltBillinear24to24 Lib "Pixmill" Alias "_Render_StretchBltBillinear24to24@40" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBltBillinear24to24Alpha Lib "Pixmill" Alias "_Render_StretchBltBillinear24to24Alpha@44" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare Function Render_StretchBltBillinear24to24TColor Lib "Pixmill" Alias "_Render_StretchBltBillinear24to24TColor@52" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_StretchBltBillinear24to24TColorAlpha Lib "Pixmill" Alias "_Render_StretchBltBillinear24to24TColorAlpha@56" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_StretchBltBillinear24to32 Lib "Pixmill" Alias "_Render_StretchBltBillinear24to32@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBltBillinear24to32Alpha Lib "Pixmill" Alias "_Render_StretchBltBillinear24to32Alpha@44" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal alpha As Long) As Long
    Public Declare Function Render_StretchBltBillinear24to32TColor Lib "Pixmill" Alias "_Render_StretchBltBillinear24to32TColor@52" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_StretchBltBillinear24to32TColorAlpha Lib "Pixmill" Alias "_Render_StretchBltBillinear24to32TColorAlpha@56" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface24, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, ByVal sh As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_StretchBltBillinear32to24 Lib "Pixmill" Alias "_Render_StretchBltBillinear32to24@40" ( _
        ByRef dest As Surface24, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBltBillinear32to32 Lib "Pixmill" Alias "_Render_StretchBltBillinear32to32@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long
    Public Declare Function Render_StretchBltBillinear32to32F Lib "Pixmill" Alias "_Render_StretchBltBillinear32to32F@40" ( _
        ByRef dest As Surface32, ByVal dx As Long, ByVal dy As Long, ByVal dw As Long, ByVal dh As Long, _
        ByRef src As Surface32, ByVal sx As Long, ByVal sy As Long, ByVal sw As Long, _
        ByVal sh As Long) As Long

    ' drawing primitives
    Public Declare Function Render_DrawBar24 Lib "Pixmill" Alias "_Render_DrawBar24@32" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_DrawBar24Alpha Lib "Pixmill" Alias "_Render_DrawBar24Alpha@36" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_DrawBar32 Lib "Pixmill" Alias "_Render_DrawBar32@32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_DrawBar32Alpha Lib "Pixmill" Alias "_Render_DrawBar32Alpha@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_DrawBar32AlphaT Lib "Pixmill" Alias "_Render_DrawBar32AlphaT@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alphaValue As Long) As Long
    Public Declare Function Render_DrawBar24Mask24 Lib "Pixmill" Alias "_Render_DrawBar24Mask24@44" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByRef mask As Surface24, ByVal maskX As Long, ByVal maskY As Long, ByVal red As Long, _
        ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_DrawRect24 Lib "Pixmill" Alias "_Render_DrawRect24@32" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_DrawRect24Alpha Lib "Pixmill" Alias "_Render_DrawRect24Alpha@36" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_DrawRect32 Lib "Pixmill" Alias "_Render_DrawRect32@32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long) As Long
    Public Declare Function Render_DrawRect32Alpha Lib "Pixmill" Alias "_Render_DrawRect32Alpha@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alpha As Long) As Long
    Public Declare Function Render_DrawRect32AlphaT Lib "Pixmill" Alias "_Render_DrawRect32AlphaT@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal red As Long, ByVal green As Long, ByVal blue As Long, ByVal alphaValue As Long) As Long

    ' pixel filters
    Public Declare Function Render_GammaCorrect24 Lib "Pixmill" Alias "_Render_GammaCorrect24@32" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long) As Long
    Public Declare Function Render_GammaCorrect24TColor Lib "Pixmill" Alias "_Render_GammaCorrect24TColor@44" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long, _
        ByVal keyRed As Long, ByVal keyGreen As Long, ByVal keyBlue As Long) As Long
    Public Declare Function Render_GammaCorrect32 Lib "Pixmill" Alias "_Render_GammaCorrect32@36" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal redOffset As Long, ByVal greenOffset As Long, ByVal blueOffset As Long, _
        ByVal alphaOffset As Long) As Long
    Public Declare Function Render_Contrast24 Lib "Pixmill" Alias "_Render_Contrast24@24" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal factor As Single) As Long
    Public Declare Function Render_CalcColor24 Lib "Pixmill" Alias "_Render_CalcColor24@32" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByRef redSum As Long, ByRef greenSum As Long, ByRef blueSum As Long) As Long
    Public Declare Function Render_Invert24 Lib "Pixmill" Alias "_Render_Invert24@20" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare Function Render_Invert32 Lib "Pixmill" Alias "_Render_Invert32@20" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare Function Render_InvertAlpha32 Lib "Pixmill" Alias "_Render_InvertAlpha32@20" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare Function Render_AlphaAdd32 Lib "Pixmill" Alias "_Render_AlphaAdd32@24" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal delta As Long) As Long
    Public Declare Function Render_HorizontalFlip32 Lib "Pixmill" Alias "_Render_HorizontalFlip32@20" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare Function Render_Set32Alpha Lib "Pixmill" Alias "_Render_Set32Alpha@8" ( _
        ByRef dest As Surface32, ByVal alphaValue As Long) As Long
    Public Declare Function Render_AjustHLS32 Lib "Pixmill" Alias "_Render_AjustHLS32@32" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal hueDelta As Long, ByVal lumDelta As Long, ByVal satDelta As Long) As Long

    ' neighbourhood effects
    Public Declare Function Render_Blur24 Lib "Pixmill" Alias "_Render_Blur24@20" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare Function Render_Blur32 Lib "Pixmill" Alias "_Render_Blur32@20" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, _
        ByVal h As Long) As Long
    Public Declare Function Render_RoundsFromWater24 Lib "Pixmill" Alias "_Render_RoundsFromWater24@28" ( _
        ByRef dest As Surface24, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal amplitude As Long, ByVal spread As Long) As Long
    Public Declare Function Render_RoundsFromWater32 Lib "Pixmill" Alias "_Render_RoundsFromWater32@28" ( _
        ByRef dest As Surface32, ByVal x As Long, ByVal y As Long, ByVal w As Long, ByVal h As Long, _
        ByVal amplitude As Long, ByVal spread As Long) As Long

    ' rotation
    Public Declare Function Render_Rotate24to24 Lib "Pixmill" Alias "_Render_Rotate24to24@12" ( _
        ByRef dest As Surface24, ByRef src As Surface24, ByVal angle As Long) As Long
    Public Declare Function Render_Rotate32to32 Lib "Pixmill" Alias "_Render_Rotate32to32@12" ( _
        ByRef dest As Surface32, ByRef src As Surface32, ByVal angle As Long) As Long
    Public Declare Function Render_Rotate32to24 Lib "Pixmill" Alias "_Render_Rotate32to24@12" ( _
        ByRef dest As Surface24, ByRef src As Surface32, ByVal angle As Long) As Long

#End If

' Sizes s for a width x height 24-bit picture, rows padded to 4 bytes.
Public Sub CreateSurface24(s As Surface24, ByVal Width As Long, ByVal Height As Long)
    s.Width = Width
    ReDim s.Pixels(1 To ((Width * 3 + 3) \ 4) * 4, 1 To Height)
End Sub

' Sizes s for a width x height 32-bit picture.
Public Sub CreateSurface32(s As Surface32, ByVal Width As Long, ByVal Height As Long)
    s.Width = Width
    ReDim s.Pixels(1 To Width, 1 To Height)
End Sub
