Attribute VB_Name = "PixmillExample"
' Pixmill from Visual Basic 6: load a picture's pixels into an array, draw a
' keyed sprite and a translucent bar into it, and show it.
'
' Add Pixmill.bas and this module to a project, put Pixmill.dll beside the
' program, and call from a form:
'
'     RunExample Me, App.Path
'
' with back.jpg and sprite.bmp (magenta where the sprite is transparent) in
' App.Path. The form's AutoRedraw should be True so the picture stays.
Option Explicit

Private Type BITMAP
    bmType As Long
    bmWidth As Long
    bmHeight As Long
    bmWidthBytes As Long
    bmPlanes As Integer
    bmBitsPixel As Integer
    bmBits As Long
End Type

Private Type BITMAPINFOHEADER
    biSize As Long
    biWidth As Long
    biHeight As Long
    biPlanes As Integer
    biBitCount As Integer
    biCompression As Long
    biSizeImage As Long
    biXPelsPerMeter As Long
    biYPelsPerMeter As Long
    biClrUsed As Long
    biClrImportant As Long
End Type

Private Declare Function GetObjectA Lib "gdi32" (ByVal hObject As Long, ByVal nCount As Long, _
    ByRef lpObject As Any) As Long
Private Declare Function CreateCompatibleDC Lib "gdi32" (ByVal hdc As Long) As Long
Private Declare Function DeleteDC Lib "gdi32" (ByVal hdc As Long) As Long
Private Declare Function GetDIBits Lib "gdi32" (ByVal hdc As Long, ByVal hBitmap As Long, _
    ByVal nStartScan As Long, ByVal nNumScans As Long, ByRef lpBits As Any, _
    ByRef lpBI As BITMAPINFOHEADER, ByVal wUsage As Long) As Long
Private Declare Function SetDIBitsToDevice Lib "gdi32" (ByVal hdc As Long, ByVal x As Long, _
    ByVal y As Long, ByVal dx As Long, ByVal dy As Long, ByVal SrcX As Long, ByVal SrcY As Long, _
    ByVal Scan As Long, ByVal NumScans As Long, ByRef Bits As Any, ByRef BitsInfo As BITMAPINFOHEADER, _
    ByVal wUsage As Long) As Long

Private Const DIB_RGB_COLORS As Long = 0

' A bottom-up 24-bit bitmap header for s: exactly the layout of its array.
Private Function Header24(s As Surface24) As BITMAPINFOHEADER
    Header24.biSize = Len(Header24)
    Header24.biWidth = s.Width
    Header24.biHeight = UBound(s.Pixels, 2)
    Header24.biPlanes = 1
    Header24.biBitCount = 24
End Function

' Reads a picture file (BMP, GIF or JPEG) into a 24-bit surface.
Public Sub LoadSurface24(ByVal path As String, s As Surface24)
    Dim pic As StdPicture, bm As BITMAP, bi As BITMAPINFOHEADER, hdc As Long
    Set pic = LoadPicture(path)
    GetObjectA pic.Handle, Len(bm), bm
    CreateSurface24 s, bm.bmWidth, bm.bmHeight
    bi = Header24(s)
    hdc = CreateCompatibleDC(0)
    GetDIBits hdc, pic.Handle, 0, bm.bmHeight, s.Pixels(1, 1), bi, DIB_RGB_COLORS
    DeleteDC hdc
End Sub

' Copies a 24-bit surface to a device context at its top-left corner.
Public Sub ShowSurface24(s As Surface24, ByVal hdc As Long)
    Dim bi As BITMAPINFOHEADER
    bi = Header24(s)
    SetDIBitsToDevice hdc, 0, 0, s.Width, bi.biHeight, 0, 0, 0, bi.biHeight, s.Pixels(1, 1), bi, _
        DIB_RGB_COLORS
End Sub

' The library's description, "Pixmill v1.01 based. Alpha Edition.".
Public Function PixmillVersion() As String
    Dim version As Long, text As String
    text = Space$(35)
    Render_GetInfo version, text
    PixmillVersion = text
End Function

Public Sub RunExample(ByVal target As Object, ByVal folder As String)
    Dim back As Surface24, sprite As Surface24, barTop As Long
    LoadSurface24 folder & "\back.jpg", back
    LoadSurface24 folder & "\sprite.bmp", sprite

    ' The sprite at (40, 30); its magenta pixels (red 255, green 0, blue 255)
    ' are skipped, so the background shows through them.
    Render_BitBlt24to24TColor back, 40, 30, sprite.Width, UBound(sprite.Pixels, 2), sprite, 0, 0, _
        255, 0, 255

    ' A dark blue bar across the bottom 40 rows, 192 of 255 opaque.
    barTop = UBound(back.Pixels, 2) - 40
    Render_DrawBar24Alpha back, 0, barTop, back.Width, 40, 0, 0, 96, 192

    ShowSurface24 back, target.hDC
    target.Refresh
    target.Caption = PixmillVersion()
End Sub
